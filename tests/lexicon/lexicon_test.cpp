// Readings, the name tables as the program loads them, and the sound rules.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "lexicon/name_tables.h"
#include "lexicon/pinyin.h"
#include "lexicon/sound_rules.h"
#include "platform/text.h"

namespace muwu {
namespace {

std::u16string marked(std::u16string_view text) {
    const std::optional<Reading> r = parseReading(text);
    return r ? std::u16string(markedReading(*r)) : u"?";
}

TEST(Reading, ParsesOneSyllableWithAtMostOneToneMark) {
    struct Row {
        std::u16string_view text;
        std::string_view syllable;  // empty: refused
        int tone;
    };
    for (const Row& row : {
             Row{u"zhāng", "zhang", 1}, Row{u"lǜ", "lv", 4}, Row{u"nǚ", "nv", 3},
             Row{u"ma", "ma", 5},                      // neutral tone
             Row{u"lu\u0308\u0300", "lv", 4},          // combining diaeresis and grave
             Row{u"e\u0301", "e", 2},                  // combining acute
             Row{u"ḿ", "m", 2},                        // the syllable of 呣
             Row{u"āá", "", 0},                        // two tones
             Row{u"zhāngg", "", 0},                    // no such syllable
             Row{u"Zhāng", "", 0},                     // capitals are no table's
             Row{u"zhāng sān", "", 0},                 // two syllables
             Row{u"", "", 0}, Row{u"\u0304a", "", 0},  // a mark before any letter
         }) {
        const std::optional<Reading> r = parseReading(row.text);
        SCOPED_TRACE(toUtf8(row.text));
        if (row.syllable.empty()) {
            EXPECT_FALSE(r);
            continue;
        }
        ASSERT_TRUE(r);
        EXPECT_EQ(syllableText(r->syllable), row.syllable);
        EXPECT_EQ(r->tone, row.tone);
        EXPECT_EQ(syllableOf(row.syllable), r->syllable);
    }
    EXPECT_EQ(marked(u"lǜ"), u"lǜ");
    EXPECT_EQ(syllableOf("xyz"), kNoSyllable);
    EXPECT_EQ(markedReading({}), u"");
}

TEST(Reading, NamesAreReadAsNamesAndSurnamesAsSurnames) {
    struct Row {
        std::u16string_view surname, given, pinyin;
    };
    for (const Row& row : {
             Row{u"张", u"三丰", u"zhāng sān fēng"},
             Row{u"单", u"田芳", u"shàn tián fāng"},  // the surname, not dān
             Row{u"曾", u"国藩", u"zēng guó fān"},
             Row{u"欧阳", u"修", u"ōu yáng xiū"},
             Row{u"万俟", u"卨", u"mò qí xiè"},   // 万 is mò only in the double surname
             Row{u"单于", u"乐", u"chán yú lè"},  // 乐 in a given name is lè …
             Row{u"乐", u"乐", u"yuè lè"},        // … and yuè as a surname
             Row{u"长孙", u"无忌", u"zhǎng sūn wú jì"},
             Row{u"李", u"a\U00020000", u"lǐ a \U00020000"},  // no reading: the character itself
             Row{u"", u"沐梧", u"mù wú"},
         }) {
        EXPECT_EQ(namePinyin(row.surname, row.given), row.pinyin)
            << toUtf8(row.surname) << toUtf8(row.given);
    }
}

TEST(Reading, LevelAndObliqueTonesAndTheSoundsOfSyllables) {
    EXPECT_EQ(toneClass(*parseReading(u"fāng")), ToneClass::level);
    EXPECT_EQ(toneClass(*parseReading(u"fáng")), ToneClass::level);
    EXPECT_EQ(toneClass(*parseReading(u"fǎng")), ToneClass::oblique);
    EXPECT_EQ(toneClass(*parseReading(u"fàng")), ToneClass::oblique);
    EXPECT_EQ(toneClass(*parseReading(u"de")), ToneClass::none);
    EXPECT_EQ(toneClass({}), ToneClass::none);

    auto rhyme = [](std::string_view s) { return rhymeOf(syllableOf(s)); };
    auto initial = [](std::string_view s) { return initialOf(syllableOf(s)); };
    // A medial does not change the rhyme; ü after j, q, x, y is ü; the i of zhi is its own.
    EXPECT_EQ(rhyme("yang"), rhyme("fang"));
    EXPECT_EQ(rhyme("xiang"), rhyme("wang"));
    EXPECT_EQ(rhyme("huai"), rhyme("pai"));
    EXPECT_EQ(rhyme("ju"), rhyme("lv"));
    EXPECT_NE(rhyme("ju"), rhyme("lu"));
    EXPECT_NE(rhyme("zhi"), rhyme("ji"));
    EXPECT_EQ(initial("zhang"), initial("zhi"));
    EXPECT_NE(initial("zhang"), initial("zang"));
    EXPECT_EQ(initial("an"), 0);
}

// Every entry line of a table in resources/, as the file holds it.
std::size_t entryLines(const char* name) {
    std::ifstream in(std::string(MUWU_SOURCE_DIR) + "/resources/" + name);
    std::size_t n = 0;
    for (std::string line; std::getline(in, line);)
        n += !line.empty() && line[0] != '#';
    return n;
}

TEST(NameTables, EveryLineIsLoadedWithAReadingATierAndAMeaning) {
    ASSERT_GT(entryLines("name_chars.tsv"), 1000u);
    ASSERT_EQ(nameCharacters().size(), entryLines("name_chars.tsv"));
    ASSERT_EQ(firmCharacters().size(), entryLines("firm_chars.tsv"));
    ASSERT_EQ(illWords().size(), entryLines("ill_sounds.tsv"));
    std::size_t top = 0, male = 0, female = 0;
    for (const NameCharacter& n : nameCharacters()) {
        ASSERT_TRUE(n.reading.known()) << toUtf8(std::u16string(1, n.c));
        ASSERT_FALSE(n.meaning.empty());
        EXPECT_EQ(nameCharacter(n.c), &n);
        EXPECT_EQ(readingOf(n.c), n.reading);
        top += n.tier == kTopTier;
        male += n.lean == Lean::male;
        female += n.lean == Lean::female;
    }
    EXPECT_GT(top, 300u);
    EXPECT_GT(male, 200u);
    EXPECT_GT(female, 200u);
    for (const FirmCharacter& f : firmCharacters()) {
        ASSERT_TRUE(f.reading.known()) << toUtf8(std::u16string(1, f.c));
        EXPECT_EQ(firmCharacter(f.c), &f);
    }
    for (const char16_t c : std::u16string_view(u"痔肛窃猪狗霉欠亏厕血不傀蘑咙")) {
        EXPECT_EQ(nameCharacter(c), nullptr) << toUtf8(std::u16string(1, c));
        EXPECT_EQ(firmCharacter(c), nullptr) << toUtf8(std::u16string(1, c));
    }
    EXPECT_EQ(nameCharacter(u'婷')->lean, Lean::female);
    EXPECT_EQ(nameCharacter(u'伟')->lean, Lean::male);
}

TEST(NameTables, GenderAndMeanings) {
    EXPECT_EQ(parseGender(u"男"), Gender::male);
    EXPECT_EQ(parseGender(u"女"), Gender::female);
    EXPECT_EQ(parseGender(u"不限"), Gender::any);
    EXPECT_EQ(parseGender(u""), Gender::any);
    EXPECT_EQ(parseGender(u"male"), std::nullopt);
    EXPECT_FALSE(suits(Lean::female, Gender::male));
    EXPECT_FALSE(suits(Lean::male, Gender::female));
    EXPECT_TRUE(suits(Lean::neutral, Gender::male));
    EXPECT_TRUE(suits(Lean::female, Gender::any));

    EXPECT_EQ(meaningOf(u'婷', false), nameCharacter(u'婷')->meaning);
    EXPECT_EQ(meaningOf(u'鑫', true), firmCharacter(u'鑫')->meaning);
    // A company's character the trade-name table lacks has the name table's meaning, and a
    // character in neither table has none.
    ASSERT_EQ(firmCharacter(u'婷'), nullptr);
    EXPECT_EQ(meaningOf(u'婷', true), nameCharacter(u'婷')->meaning);
    EXPECT_EQ(meaningOf(u'的', false), u"");
    const std::vector<CharacterMeaning> m = meaningsOf(u"婷的", false);
    ASSERT_EQ(m.size(), 2u);
    EXPECT_EQ(m[0].c, u'婷');
    EXPECT_TRUE(m[1].meaning.empty());
}

struct SoundRow {
    std::u16string_view surname, given;
    SoundFault fault;
    std::u16string_view word = {};  // the ill word it sounds like
};

TEST(SoundRules, JudgeWhatWasChosen) {
    for (const SoundRow& row : {
             SoundRow{u"杨", u"伟", SoundFault::illWord, u"阳痿"},
             SoundRow{u"吴", u"雨", SoundFault::illWord, u"无语"},
             SoundRow{u"范", u"统", SoundFault::illWord, u"饭桶"},
             SoundRow{u"杜", u"子腾", SoundFault::illWord, u"肚子疼"},
             SoundRow{u"史", u"珍香", SoundFault::illWord, u"湿疹"},  // and 屎真香
             SoundRow{u"毕", u"云涛", SoundFault::illWord, u"避孕"},  // and 避孕套
             SoundRow{u"李", u"不凉", SoundFault::illWord, u"不良"},
             SoundRow{u"吴", u"明雨", SoundFault::none},  // wu … yu, not next to each other
             SoundRow{u"刘", u"琼涵", SoundFault::oneTone},
             SoundRow{u"张", u"三", SoundFault::none},  // two syllables on one tone are common
             SoundRow{u"欧阳", u"芳", SoundFault::none},
             SoundRow{u"李", u"丽", SoundFault::repeatedSyllable},
             SoundRow{u"张", u"章", SoundFault::repeatedSyllable},
             SoundRow{u"李", u"明丽", SoundFault::repeatedSyllable},
             SoundRow{u"李", u"明鸣", SoundFault::repeatedSyllable},
             SoundRow{u"欧阳", u"洋", SoundFault::repeatedSyllable},
             SoundRow{u"李", u"婷婷",
                      SoundFault::none},  // a doubled given name is chosen on purpose
             SoundRow{u"王", u"婷婷", SoundFault::oneTone},
             SoundRow{u"李", u"明轩", SoundFault::none},
             SoundRow{u"王八", u"明", SoundFault::none},  // the surname alone is not judged
         }) {
        const SoundVerdict v = judgeName(row.surname, row.given);
        SCOPED_TRACE(toUtf8(row.surname) + toUtf8(row.given));
        EXPECT_EQ(v.fault, row.fault);
        if (!row.word.empty()) {
            ASSERT_NE(v.word, nullptr);
            EXPECT_EQ(v.word->word, row.word);
        }
    }
}

TEST(SoundRules, AFixedCharacterIsJudgedOnlyWithTheChosenOne) {
    auto judge = [](std::u16string_view surname, std::u16string_view given, std::size_t fixed) {
        NameSound s = nameSound(surname, given, {}, true);
        s.fixedInGiven = s.givenBegin + fixed;
        return judgeSound(s).fault;
    };
    EXPECT_EQ(judge(u"李", u"丽明", 0), SoundFault::none);  // 李丽 is the family's choice
    EXPECT_EQ(judge(u"李", u"明鸣", 0), SoundFault::repeatedSyllable);
    EXPECT_EQ(judge(u"李", u"婷婷", 0), SoundFault::none);
    EXPECT_EQ(judge(u"吴", u"雨", 0), SoundFault::none);  // nothing chosen
    // Ill words across the prefix, the chosen part and a company's suffix.
    EXPECT_EQ(judgeSound(nameSound(u"", u"饭", u"桶", false)).fault, SoundFault::illWord);
    EXPECT_EQ(judgeSound(nameSound(u"饭", u"", u"桶", false)).fault, SoundFault::none);
}

TEST(SoundRules, PenaltyForOneToneClassAndForNeighboursThatAlliterateOrRhyme) {
    auto penalty = [](std::u16string_view surname, std::u16string_view given) {
        return soundPenalty(nameSound(surname, given, {}, true));
    };
    EXPECT_EQ(penalty(u"王", u"芳"), 1);    // wáng fāng rhyme
    EXPECT_EQ(penalty(u"张", u"志"), 1);    // zhāng zhì alliterate
    EXPECT_EQ(penalty(u"刘", u"明华"), 1);  // liú míng huá: all level
    EXPECT_EQ(penalty(u"李", u"明轩"), 0);  // lǐ míng xuān
    EXPECT_EQ(penalty(u"李", u"婷婷"), 0);  // a doubled name neither alliterates nor rhymes
    EXPECT_EQ(penalty(u"王", u""), 0);      // nothing chosen
}

}  // namespace
}  // namespace muwu
