// What the engine draws from: the name table's characters by tier and gender (a company's from
// the trade-name table), names the sound rules let through, and words whose pairs all pass.
#include "naming/draw_rules.h"

#include <algorithm>
#include <functional>
#include <set>

#include "lexicon/sound_rules.h"
#include "naming/supply.h"
#include "platform/text.h"
#include "tests/naming/engine_fixture.h"

namespace muwu::test {
namespace {

std::string text(char16_t c) {
    return toUtf8(std::u16string(1, c));
}

TEST_F(EngineTest, PoolsServeTheTableByTierAndGenderAndTheListsKeepTheRest) {
    useData(shippedData());
    const PoolSource lists = [this](int n) { return data().strokePool(n); };
    struct Case {
        DrawOptions options;
        bool company;
    };
    for (const Case& k : {Case{{}, false}, Case{{Gender::female, false, false}, false},
                          Case{{Gender::male, true, false}, false}, Case{{}, true},
                          Case{{Gender::female, false, true}, false}}) {
        const PoolSource pools = admittedPools(lists, k.options, k.company);
        std::set<char16_t> served;
        for (int n = 1; n <= kMaxStrokes; ++n) {
            for (const char16_t c : pools(n)) {
                served.insert(c);
                const NameCharacter* name = nameCharacter(c);
                const FirmCharacter* firm = firmCharacter(c);
                const int tier = k.company ? (firm ? firm->tier : 0) : (name ? name->tier : 0);
                if (!k.options.allChars) {
                    EXPECT_TRUE(tier == kTopTier || (k.options.allTiers && tier == kLastTier))
                        << text(c);
                }
                if (!k.company && name) {
                    EXPECT_TRUE(suits(name->lean, k.options.gender)) << text(c);
                }
            }
        }
        // Every admitted character is served, from the list of its count.
        std::size_t expected = 0;
        if (k.company) {
            expected = firmCharacters().size();
            for (const FirmCharacter& f : firmCharacters())
                expected -= f.tier != kTopTier;
        } else if (!k.options.allChars) {
            for (const NameCharacter& n : nameCharacters()) {
                expected += (n.tier == kTopTier || (k.options.allTiers && n.tier == kLastTier)) &&
                            suits(n.lean, k.options.gender);
            }
        }
        if (expected > 0) {
            EXPECT_EQ(served.size(), expected);
        } else {
            EXPECT_GT(served.size(), 15000u);  // every listed character but the other gender's
        }
    }
}

// The generated part of every candidate of seeded runs.
std::vector<std::u16string> drawn(const std::function<RunRecord(UniformRandom&)>& run,
                                  std::size_t prefix) {
    std::vector<std::u16string> parts;
    for (std::uint64_t seed = 1; seed <= 40; ++seed) {
        UniformRandom random([seed] { return seed; });
        for (const Attempt& a : run(random).attempts)
            parts.push_back(a.name.substr(prefix));
    }
    return parts;
}

TEST_F(EngineTest, SeededRunsProposeOnlyAdmittedCharactersInNamesThatSoundWell) {
    useData(shippedData());
    const PoolSource lists = [this](int n) { return data().strokePool(n); };
    const WordList words =
        loadWordList(shippedData() / std::filesystem::path(toUtf8(kWordListName))).words;
    ASSERT_FALSE(words.empty());
    for (const std::u16string_view prefix : {u"吴", u"李", u"欧阳"}) {
        for (const int wordMode : {0, 1}) {
            NamingSettings s;
            s.prefix = prefix;
            s.count = u"2";
            s.limit = u"12";
            s.词义 = wordMode;
            const DrawOptions options{Gender::female, false, false};
            const std::vector<std::u16string> parts = drawn(
                [&](UniformRandom& r) {
                    return run(s, r, words, admittedPools(lists, options, false),
                               tableDrawRules(lists, options));
                },
                prefix.size());
            ASSERT_GT(parts.size(), 40u);
            for (const std::u16string& g : parts) {
                SCOPED_TRACE(toUtf8(prefix) + toUtf8(g));
                ASSERT_EQ(g.size(), 2u);
                EXPECT_TRUE(drawFits(options, prefix, g, {}));
                EXPECT_TRUE(judgeName(prefix, g).ok());
                for (const char16_t c : g) {
                    ASSERT_NE(nameCharacter(c), nullptr);
                    EXPECT_EQ(nameCharacter(c)->tier, kTopTier);
                    EXPECT_NE(nameCharacter(c)->lean, Lean::male);
                }
            }
        }
    }
}

// A wanted element steers character draws and words alike: every candidate brings as many of the wanted
// elements as it has characters (or all of them), where the draws without it mostly do not.
TEST_F(EngineTest, CharacterDrawsBringTheWantedElements) {
    useData(shippedData());
    const PoolSource lists = [this](int n) { return data().strokePool(n); };
    auto attributes = [&](const std::u16string& g) {
        std::u16string a;
        for (const char16_t c : g)
            a += data().strokes(std::u16string(1, c)).attribute;
        return a;
    };
    const WordList words =
        loadWordList(shippedData() / std::filesystem::path(toUtf8(kWordListName))).words;
    for (const auto& [supply, wordMode] :
         {std::pair<std::u16string_view, int>{u"水", 0}, {u"金水", 0}, {u"木火土", 0}, {u"水", 1}, {u"木火土", 1}}) {
        SCOPED_TRACE(wordMode ? "pairs cut from words" : "characters drawn");
        NamingSettings s;
        s.prefix = u"张";
        s.count = u"2";
        s.limit = u"16";
        s.词义 = wordMode;
        std::size_t bringing = 0, unsteered = 0;
        for (const bool steer : {true, false}) {
            const std::vector<std::u16string> parts = drawn(
                [&](UniformRandom& r) {
                    DrawRules rules = tableDrawRules(lists, {}, attributesOf(data()));
                    if (steer)
                        rules.supply = supply;
                    return run(s, r, wordMode ? words : WordList{},
                               admittedPools(lists, {}, false), std::move(rules));
                },
                1);
            ASSERT_GT(parts.size(), 40u);
            for (const std::u16string& g : parts) {
                const bool brings = suppliedCount(supply, attributes(g)) >=
                                    std::min<int>(static_cast<int>(supply.size()), 2);
                if (steer) {
                    EXPECT_TRUE(brings) << toUtf8(g) << " " << toUtf8(supply);
                    EXPECT_TRUE(judgeName(u"张", g).ok());
                    ++bringing;
                } else {
                    unsteered += brings;
                }
            }
            if (!steer) {
                EXPECT_LT(unsteered * 2, parts.size()) << toUtf8(supply);
            }
        }
        EXPECT_GT(bringing, 0u);
    }
}

// About half of the two-character draws for a surname are names of the editors' list (of the
// asked gender), against next to none when characters are drawn one by one.
TEST_F(EngineTest, HalfTheDrawsAreListedNamesOfTheGender) {
    useData(shippedData());
    const PoolSource lists = [this](int n) { return data().strokePool(n); };
    NamingSettings s;
    s.prefix = u"李";
    s.count = u"2";
    s.limit = u"14";
    s.词义 = 0;
    const DrawOptions girls{Gender::female, false, false};
    for (const bool listed : {true, false}) {
        const std::vector<std::u16string> parts = drawn(
            [&](UniformRandom& r) {
                DrawRules rules = tableDrawRules(lists, girls);
                if (!listed)
                    rules.pairs.clear();
                return run(s, r, {}, admittedPools(lists, girls, false), std::move(rules));
            },
            1);
        ASSERT_GT(parts.size(), 100u);
        std::size_t found = 0;
        for (const std::u16string& g : parts) {
            const NamePair* pair = namePair(g[0], g[1]);
            found += pair != nullptr;
            EXPECT_TRUE(!pair || pair->gender != Lean::male) << toUtf8(g);
        }
        if (listed) {
            EXPECT_GT(found * 10, parts.size() * 3) << found << " of " << parts.size();
            EXPECT_LT(found * 10, parts.size() * 7) << found << " of " << parts.size();
        } else {
            EXPECT_LT(found * 20, parts.size()) << found << " of " << parts.size();
        }
    }
}

TEST_F(EngineTest, ACompanyDrawsFromTheTradeNameTable) {
    useData(shippedData());
    const PoolSource lists = [this](int n) { return data().strokePool(n); };
    NamingSettings s;
    s.suffix = u"科技";
    s.count = u"2";
    s.limit = u"20";
    s.词义 = 0;
    const std::vector<std::u16string> parts = drawn(
        [&](UniformRandom& r) {
            return run(s, r, {}, admittedPools(lists, {}, false), tableDrawRules(lists, {}));
        },
        0);
    ASSERT_FALSE(parts.empty());
    for (const std::u16string& name : parts) {
        ASSERT_EQ(name.size(), 4u) << toUtf8(name);
        for (const char16_t c : name.substr(0, 2)) {
            ASSERT_NE(firmCharacter(c), nullptr) << toUtf8(name);
            EXPECT_EQ(firmCharacter(c)->tier, kTopTier);
        }
    }
}

TEST(DrawRules, WordsAreKeptOnlyWhenEveryPairMayStand) {
    // 流血成河 holds 血; 万箭穿心 and 兽心人面 hold characters no name table lists.
    const WordList words(u"流血成河\r\n万箭穿心\r\n兽心人面\r\n春华秋实\r\n明月清风\r\n");
    for (const std::u16string_view prefix : {u"李", u"周", u"欧阳"}) {
        const WordList kept = fittingWords(words, {Gender::any, true, false}, prefix, {});
        for (std::size_t i = 0; i < kept.wordCount(); ++i) {
            const std::u16string_view w = kept.word(i);
            for (const auto& [a, b] : {std::pair{0, 2}, {1, 3}, {0, 1}, {2, 3}}) {
                const char16_t pair[] = {w[static_cast<std::size_t>(a)],
                                         w[static_cast<std::size_t>(b)]};
                EXPECT_TRUE(judgeName(prefix, std::u16string_view(pair, 2)).ok());
            }
            EXPECT_TRUE(w == u"春华秋实" || w == u"明月清风") << toUtf8(w);
        }
    }
    // 明月清风 fits 李 whatever the tier; 明月 after 明 would repeat a syllable.
    const WordList li = fittingWords(words, {Gender::any, true, false}, u"李", {});
    EXPECT_TRUE(
        std::any_of(li.text().begin(), li.text().end(), [](char16_t c) { return c == u'风'; }));
    const WordList ming = fittingWords(words, {Gender::any, true, false}, u"明", {});
    EXPECT_EQ(ming.text().find(u"明月清风"), std::u16string::npos);
}

TEST_F(EngineTest, AShortDrawIsDrawnAgainUnderTheRules) {
    useSmallData();
    UniformRandom random([] { return 1u; });
    NamingSettings s;
    s.prefix = u"张";
    s.count = u"2";
    s.limit = u"2";
    s.词义 = 0;
    // Only the list of 2 strokes serves: without rules a draw of 1 stroke adds nothing.
    const PoolSource pools = [](int n) {
        return n == 2 ? std::u16string(u"丁") : std::u16string();
    };
    DrawRules rules;
    rules.fits = [](std::u16string_view, std::u16string_view, std::u16string_view) { return true; };
    const RunRecord plain = run(s, random, {}, pools);
    EXPECT_TRUE(std::any_of(plain.attempts.begin(), plain.attempts.end(),
                            [](const Attempt& a) { return a.name.size() < 3; }));
    const RunRecord ruled = run(s, random, {}, pools, rules);
    ASSERT_FALSE(ruled.attempts.empty());
    for (const Attempt& a : ruled.attempts)
        EXPECT_EQ(a.name, u"张丁丁");
}

}  // namespace
}  // namespace muwu::test
