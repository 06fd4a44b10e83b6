// The engine's rules against the bare analysis: acceptance per mode, the time-out, the word-mode
// pairs, the lists a limit opens, the settings it refuses, and naming mode ending every run.
#include "naming/engine.h"

#include <set>
#include <stdexcept>

#include "names/score.h"
#include "platform/text.h"
#include "tests/naming/engine_fixture.h"

namespace muwu::test {
namespace {

NamingSettings settings(std::u16string prefix, std::u16string count, std::u16string limit,
                        int wordMeaning = 0, std::u16string suffix = {}) {
    NamingSettings s;
    s.prefix = std::move(prefix);
    s.suffix = std::move(suffix);
    s.count = std::move(count);
    s.limit = std::move(limit);
    s.词义 = wordMeaning;
    return s;
}

WordList shippedWords() {
    return loadWordList(shippedData() / std::filesystem::path(toUtf8(kWordListName))).words;
}

struct Mode {
    const char* why;
    NamingSettings settings;
};

TEST_F(EngineTest, SeededRunsAcceptOnlyWhatTheirModeAllows) {
    useData(shippedData());
    const WordList words = shippedWords();
    const Mode modes[] = {
        {"single surname, two characters", settings(u"张", u"2", u"9")},
        {"double surname, one character", settings(u"欧阳", u"1", u"12")},
        {"two-character personal name", settings(u"李", u"1", u"9")},
        {"company with a trade word", settings(u"", u"2", u"9", 0, u"科技")},
        {"word mode", settings(u"王", u"2", u"9", 1)},
    };
    for (const Mode& mode : modes) {
        int accepted = 0;
        for (std::uint64_t seed = 1; seed <= 25; ++seed) {
            SCOPED_TRACE(std::string(mode.why) + ", seed " + std::to_string(seed));
            UniformRandom random([seed] { return seed; });
            const RunRecord r = run(mode.settings, random, words);
            ASSERT_EQ(static_cast<int>(r.attempts.size()), r.result.attempts);
            ASSERT_GE(r.result.attempts, 1);
            ASSERT_LE(r.result.attempts, kMaxAttempts);
            EXPECT_FALSE(form().正在取名);
            EXPECT_TRUE(form().自动识别姓氏);  // back as the user had it
            for (std::size_t i = 0; i + 1 < r.attempts.size(); ++i)
                EXPECT_FALSE(passes(r.attempts[i])) << toUtf8(r.attempts[i].name);
            const Attempt& last = r.attempts.back();
            EXPECT_EQ(last.company, mode.settings.prefix.empty());
            EXPECT_TRUE(last.name.starts_with(mode.settings.prefix));
            EXPECT_TRUE(last.name.ends_with(mode.settings.suffix));
            EXPECT_EQ(last.name.size(),
                      mode.settings.prefix.size() + mode.settings.suffix.size() +
                          static_cast<std::size_t>(numberOf(mode.settings.count)));
            if (r.result.outcome != RunOutcome::accepted) {
                EXPECT_EQ(r.result.outcome, RunOutcome::timedOut);
                EXPECT_EQ(r.result.attempts, kMaxAttempts);
                EXPECT_FALSE(passes(last));
                continue;
            }
            ++accepted;
            EXPECT_TRUE(passes(last)) << toUtf8(last.name);
            EXPECT_EQ(r.result.name, last.name);
            EXPECT_EQ(form().Text3, last.name);
            EXPECT_EQ(r.shows, 1);
            // 属性 describes the accepted name, character by character.
            std::u16string attribute;
            for (const char16_t c : last.name)
                attribute += data().strokes(std::u16string(1, c)).attribute;
            EXPECT_EQ(form().全称属性, attribute);
            EXPECT_EQ(r.panel.属性, attribute);
        }
        EXPECT_GT(accepted, 15) << mode.why;  // the usual settings do find names
    }
}

TEST_F(EngineTest, ThirtyTwoRejectedCandidatesEndInTheTimeOut) {
    useSmallData();
    UniformRandom random([] { return 3u; });
    // 张 11 + 一 1: a total of 12, unlucky, whatever is drawn.
    const RunRecord r = run(settings(u"张", u"1", u"1"), random);
    EXPECT_EQ(r.result.outcome, RunOutcome::timedOut);
    EXPECT_EQ(messageOf(r.result.outcome), u"运转超时！请适当的提高笔画复杂程度。");
    EXPECT_EQ(r.result.attempts, 32);
    EXPECT_EQ(r.writes, 32);
    EXPECT_FALSE(form().正在取名);
    // The last candidate stays with its analysis; 属性 keeps what it had.
    EXPECT_EQ(form().Text3, u"张一");
    EXPECT_EQ(form().总笔画数, u"12");
    EXPECT_EQ(r.result.name, u"张一");
    EXPECT_EQ(r.panel.属性, u"属性");
    EXPECT_EQ(r.shows, 0);
    EXPECT_FALSE(r.panel.来自词Visible);
}

TEST_F(EngineTest, CompanyNamesAreJudgedByTheirTotalAlone) {
    useSmallData();
    form().setText3(u"张一");  // a personal name: 人格 12, 地格 2 and 外格 2 are all unlucky
    ASSERT_EQ(form().colourText6, kRed);
    ASSERT_EQ(form().colourText7, kRed);
    ASSERT_EQ(form().colourText8, kRed);

    UniformRandom random([] { return 5u; });
    RunRecord r = run(settings(u"", u"1", u"1", 0, u"王"), random);  // 一王: total 5
    EXPECT_EQ(r.result.outcome, RunOutcome::accepted);
    EXPECT_EQ(r.result.attempts, 1);
    EXPECT_EQ(form().Text3, u"一王");
    EXPECT_TRUE(form().公司名);
    EXPECT_TRUE(form().自动识别姓氏);
    EXPECT_FALSE(form().gridFramesVisible);
    EXPECT_EQ(form().总运板, kTotalCaptionCompany);
    EXPECT_EQ(form().colourText6, kRed);  // left from the personal name, and not looked at

    r = run(settings(u"", u"1", u"1", 0, u"三"), random);  // 一三: total 4, unlucky
    EXPECT_EQ(r.result.outcome, RunOutcome::timedOut);
}

TEST_F(EngineTest, ATwoCharacterPersonalNameMayHaveAnUnluckyOuterGrid) {
    useSmallData();
    // 张丁: total 13, 人格 13, 地格 3, and 外格 2, unlucky as for every two-character name.
    ScriptedRandom two({listDraw(2, 3), itemDraw(0, 1)});
    RunRecord r = run(settings(u"张", u"1", u"3"), two);
    EXPECT_EQ(r.result.outcome, RunOutcome::accepted);
    EXPECT_EQ(form().Text3, u"张丁");
    EXPECT_EQ(form().colourText8, kRed);

    // 张丁三: total 16, 人格 13, 地格 5 are lucky, 外格 4 is not: three characters, rejected.
    ScriptedRandom three({listDraw(2, 3), itemDraw(0, 1), listDraw(3, 3), itemDraw(0, 1)});
    r = run(settings(u"张", u"2", u"3"), three);
    EXPECT_EQ(r.result.outcome, RunOutcome::timedOut);
    const Attempt& a = r.attempts.back();
    EXPECT_EQ(a.name, u"张丁三");
    EXPECT_TRUE(a.outer);
    EXPECT_FALSE(a.total || a.person || a.earth);
}

TEST_F(EngineTest, AnUnluckyEarthGridAloneRejectsTheName) {
    useSmallData();
    // 张丁丁: total 15, 人格 13 and 外格 3 are lucky; 地格 4 is not.
    const float ding = listDraw(2, 4), only = itemDraw(0, 1);
    ScriptedRandom earth({ding, only, ding, only});
    RunRecord r = run(settings(u"张", u"2", u"4"), earth);
    EXPECT_EQ(r.result.outcome, RunOutcome::timedOut);
    const Attempt& a = r.attempts.back();
    ASSERT_EQ(a.name, u"张丁丁");
    EXPECT_TRUE(a.earth);
    EXPECT_FALSE(a.total || a.person || a.outer);

    // 张丁丁 first, then 张丁王 (total 17, 人格 13, 地格 6, 外格 5): the run goes on to it.
    ScriptedRandom then({ding, only, ding, only, ding, only, listDraw(4, 4), only});
    r = run(settings(u"张", u"2", u"4"), then);
    ASSERT_EQ(r.attempts.size(), 2u);
    EXPECT_EQ(r.attempts[0].name, u"张丁丁");
    EXPECT_TRUE(passes(r.attempts[1])) << toUtf8(r.attempts[1].name);
    EXPECT_EQ(r.result.outcome, RunOutcome::accepted);
    EXPECT_EQ(form().Text3, u"张丁王");
}

TEST_F(EngineTest, APrefixOfThreeCharactersIsJudgedOnItsOwnGrids) {
    useSmallData();
    // 一丁三 + 王: 天格 丁+三 5, 人格 三+王 7, 地格 5, 外格 10 - 7 + 1 = 4, total 10.
    ScriptedRandom draw({listDraw(4, 4), itemDraw(0, 1)});
    const RunRecord r = run(settings(u"一丁三", u"1", u"4"), draw);
    EXPECT_EQ(r.attempts.back().name, u"一丁三王");
    EXPECT_EQ(form().姓长度, 3);
    EXPECT_EQ(form().姓, u"一丁三");
    EXPECT_EQ(form().天格笔画数, u"5");
    EXPECT_EQ(form().人格笔画数, u"7");
    EXPECT_EQ(form().地格笔画数, u"5");
    EXPECT_EQ(form().外格笔画数, u"4");
    EXPECT_EQ(form().总笔画数, u"10");
}

TEST_F(EngineTest, TheLargestDrawPicksTheLimitsListAndThePoolsLastCharacter) {
    useSmallData();
    std::u16string pool;
    for (char16_t c = 0x4E00; c < 0x4E00 + 5000; ++c)
        pool += c;
    ScriptedRandom top({kLargestDraw});
    for (const int limit : {1, 3, 30}) {
        SCOPED_TRACE(limit);
        std::set<int> asked;
        const RunRecord r = run(settings(u"张", u"2", numberText(limit)), top, {}, [&](int n) {
            asked.insert(n);
            return pool;
        });
        EXPECT_EQ(asked, std::set<int>{limit});
        EXPECT_EQ(r.attempts[0].name, std::u16string(u"张") + pool.back() + pool.back());
    }
}

struct PairRow {
    float r1, r2;
    std::u16string_view pair;
};

TEST_F(EngineTest, WordModeCutsOneOfFourPairsOutOfTheWordInWordOrder) {
    useSmallData();
    const WordList words(std::u16string(u"甲乙丙丁\r\n"));
    const PairRow rows[] = {
        {0.75f, 0.75f, u"甲丙"}, {0.75f, 0.25f, u"乙丁"}, {0.25f, 0.75f, u"甲乙"},
        {0.25f, 0.25f, u"丙丁"}, {0.5f, 0.75f, u"甲乙"},  {0.75f, 0.5f, u"乙丁"},
    };
    for (const PairRow& row : rows) {
        SCOPED_TRACE(toUtf8(row.pair));
        ScriptedRandom random({0.0f, row.r1, row.r2});
        const RunRecord r = run(settings(u"王", u"2", u"abc", 1), random, words);
        ASSERT_FALSE(r.attempts.empty());
        EXPECT_EQ(r.attempts[0].name, u"王" + std::u16string(row.pair));
        EXPECT_EQ(r.attempts[0].from, u"来自：甲乙丙丁");
        EXPECT_EQ(r.result.word, u"甲乙丙丁");
        EXPECT_TRUE(r.panel.来自词Visible);
    }

    // The same with the shipped list and its real words: every pair is one of the four.
    useData(shippedData());
    const WordList shipped = shippedWords();
    std::set<std::pair<int, int>> kinds;
    for (std::uint64_t seed = 1; seed <= 40; ++seed) {
        UniformRandom random([seed] { return seed; });
        const RunRecord r = run(settings(u"王", u"2", u"9", 1), random, shipped);
        for (const Attempt& a : r.attempts) {
            ASSERT_TRUE(a.from.starts_with(u"来自：")) << toUtf8(a.from);
            const std::u16string w = a.from.substr(3);
            ASSERT_EQ(w.size(), 4u);
            ASSERT_NE(shipped.text().find(w + u"\r"), std::u16string::npos) << toUtf8(w);
            bool found = false;
            for (const auto& [i, j] : {std::pair{0, 2}, {1, 3}, {0, 1}, {2, 3}}) {
                if (a.name == u"王" + std::u16string{w[i], w[j]}) {
                    kinds.insert({i, j});
                    found = true;
                }
            }
            EXPECT_TRUE(found) << toUtf8(a.name) << " from " << toUtf8(w);
        }
    }
    EXPECT_EQ(kinds.size(), 4u);
}

TEST_F(EngineTest, WordModeNeedsAWordListAndATick) {
    useSmallData();
    const WordList words(std::u16string(u"甲乙丙丁\r\n"));
    UniformRandom random([] { return 9u; });
    // Unticked, another count, or no words: characters from the lists; 来自词 is hidden unless
    // 词义 is ticked (and shown).
    RunRecord r = run(settings(u"张", u"2", u"4", 0), random, words);
    EXPECT_FALSE(r.result.word);
    EXPECT_FALSE(r.panel.来自词Visible);
    EXPECT_EQ(r.panel.来自词, u"来自词");
    r = run(settings(u"张", u"3", u"4", 1), random, words);
    EXPECT_FALSE(r.result.word);
    EXPECT_FALSE(r.panel.来自词Visible);  // 词义 is hidden for a count other than 2
    r = run(settings(u"张", u"2", u"4", 1), random, WordList());
    EXPECT_FALSE(r.result.word);
    EXPECT_EQ(r.attempts[0].name.size(), 3u);
    // Greyed counts as ticked for the mode, not for showing the word.
    r = run(settings(u"张", u"2", u"4", 2), random, words);
    EXPECT_EQ(r.result.word, u"甲乙丙丁");
    EXPECT_FALSE(r.panel.来自词Visible);
}

struct LimitRow {
    std::u16string_view limit;
    int highest;
};

TEST_F(EngineTest, OnlyTheListsUpToTheLimitAreOpened) {
    useData(shippedData());
    const LimitRow rows[] = {{u"3", 3}, {u"9", 9}, {u"10.5", 11}, {u"40", 30}};
    for (const LimitRow& row : rows) {
        SCOPED_TRACE(toUtf8(row.limit));
        std::set<int> opened;
        const PoolSource counting = [&](int n) {
            opened.insert(n);
            return data().strokePool(n);
        };
        for (std::uint64_t seed = 1; seed <= 200; ++seed) {
            UniformRandom random([seed] { return seed; });
            (void)run(settings(u"张", u"3", std::u16string(row.limit)), random, {}, counting);
        }
        std::set<int> expected;
        for (int n = 1; n <= row.highest; ++n)
            expected.insert(n);
        EXPECT_EQ(opened, expected);
    }
}

struct RefusedRow {
    const char* why;
    NamingSettings settings;
    RunOutcome outcome;
};

TEST_F(EngineTest, SettingsThatCannotServeAreRefusedBeforeAnythingChanges) {
    useSmallData();
    const WordList words(std::u16string(u"甲乙丙丁\r\n"));
    const RefusedRow rows[] = {
        {"prefix beyond the surname range", settings(std::u16string(11, u'张'), u"1", u"9"),
         RunOutcome::prefixTooLong},
        {"limit not a number", settings(u"张", u"1", u"abc"), RunOutcome::badLimit},
        {"limit empty", settings(u"张", u"2", u""), RunOutcome::badLimit},
        {"limit zero", settings(u"张", u"1", u"0"), RunOutcome::badLimit},
        {"limit negative", settings(u"张", u"1", u"-3"), RunOutcome::badLimit},
        {"count beyond the list", settings(u"张", u"23", u"9"), RunOutcome::tooMany},
        {"count absurd", settings(u"张", u"1e9", u"9"), RunOutcome::tooMany},
    };
    for (const RefusedRow& row : rows) {
        SCOPED_TRACE(row.why);
        ScriptedRandom random({0.5f});
        const RunRecord r = run(row.settings, random, words);
        EXPECT_EQ(r.result.outcome, row.outcome);
        EXPECT_FALSE(messageOf(row.outcome).empty());
        EXPECT_EQ(r.writes, 0);
        EXPECT_EQ(random.reseeds, 0);
        EXPECT_FALSE(form().正在取名);
        EXPECT_TRUE(form().自动识别姓氏);  // the main window was not touched
    }

    // Where no character is drawn the limit does not matter; ten characters still fit.
    const NamingSettings running[] = {
        settings(u"张", u"2", u"abc", 1),
        settings(u"张", u"0", u"abc"),
        settings(std::u16string(10, u'张'), u"1", u"40"),
    };
    for (const NamingSettings& s : running) {
        ScriptedRandom random({0.5f});
        const RunRecord r = run(s, random, words);
        EXPECT_GE(r.result.attempts, 1) << toUtf8(s.prefix) << " " << toUtf8(s.limit);
    }
    EXPECT_EQ(form().姓长度, 10);
    EXPECT_TRUE(form().复姓);
}

struct PrefixRow {
    std::u16string_view prefix;
    bool company;
    int length;
    bool doubleSurname;
};

TEST_F(EngineTest, ThePrefixSetsTheSurnameControls) {
    useSmallData();
    const PrefixRow rows[] = {
        {u"", true, 1, false},
        {u"张", false, 1, false},
        {u"张王三", false, 3, true},
        {u"王", false, 1, false},  // back from 3 to 1
    };
    bool ticked = true;
    for (const PrefixRow& row : rows) {
        SCOPED_TRACE(toUtf8(row.prefix));
        // The tick is off during the run and back as the user had it afterwards.
        ticked = !ticked;
        form().set自动识别姓氏(ticked);
        UniformRandom random([] { return 1u; });
        (void)run(settings(std::u16string(row.prefix), u"1", u"4", 0, u"王"), random);
        EXPECT_EQ(form().自动识别姓氏, ticked);
        EXPECT_EQ(form().公司名, row.company);
        EXPECT_EQ(form().人名, !row.company);
        EXPECT_EQ(form().姓长度, row.length);
        EXPECT_EQ(form().复姓, row.doubleSurname);
        EXPECT_EQ(form().单姓, !row.doubleSurname);
        if (!row.company) {
            EXPECT_EQ(form().姓, row.prefix);
        }
    }
}

TEST_F(EngineTest, NamingModeEndsWhenARunFails) {
    useSmallData();
    UniformRandom random([] { return 1u; });
    const PoolSource failing = [](int) -> std::u16string { throw std::runtime_error("disk"); };
    EXPECT_THROW((void)run(settings(u"张", u"2", u"9"), random, {}, failing), std::runtime_error);
    EXPECT_FALSE(form().正在取名);
}

TEST_F(EngineTest, ANameAlreadyShownIsAnalysedUnderTheRunsSettings) {
    useSmallData();
    form().release公司名();
    form().setText3(u"张丁");
    ASSERT_FALSE(form().gridFramesVisible);
    // The first candidate is the very name on view; it is analysed as a personal name now.
    UniformRandom random([] { return 1u; });
    (void)run(settings(u"张丁", u"0", u"9"), random);
    EXPECT_TRUE(form().gridFramesVisible);
    EXPECT_EQ(form().总运板, kTotalCaptionPerson);
    EXPECT_EQ(form().姓, u"张丁");
}

TEST_F(EngineTest, AnEmptyPoolAddsNoCharacterAndCountsBelowOneAddNone) {
    useSmallData();
    UniformRandom random([] { return 1u; });
    // 张 alone: 11, lucky; the list for 5 strokes holds no line with "：".
    RunRecord r =
        run(settings(u"张", u"1", u"1"), random, {}, [](int) { return std::u16string(); });
    EXPECT_EQ(r.attempts[0].name, u"张");
    r = run(settings(u"张", u"-2", u"9", 0, u"王"), random);
    EXPECT_EQ(r.attempts[0].name, u"张王");
    r = run(settings(u"张", u"2.9", u"1"), random);
    EXPECT_EQ(r.attempts[0].name, u"张一一");
}

TEST_F(EngineTest, EveryRunStartsFromAFreshSeed) {
    useData(shippedData());
    UniformRandom fixed([] { return 77u; });
    const RunRecord a = run(settings(u"张", u"2", u"9"), fixed);
    const RunRecord b = run(settings(u"张", u"2", u"9"), fixed);
    ASSERT_EQ(a.attempts.size(), b.attempts.size());
    for (std::size_t i = 0; i < a.attempts.size(); ++i)
        EXPECT_EQ(a.attempts[i].name, b.attempts[i].name);

    // Seeds a microsecond apart, as runs within one second now get, give other names.
    std::uint64_t t = 45'296'000'000;  // 12:34:56
    UniformRandom clock([&] { return t++; });
    std::set<std::u16string> names;
    for (int i = 0; i < 10; ++i)
        names.insert(run(settings(u"张", u"2", u"9"), clock).attempts[0].name);
    EXPECT_GT(names.size(), 8u);
}

}  // namespace
}  // namespace muwu::test
