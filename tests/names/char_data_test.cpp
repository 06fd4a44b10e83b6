#include "names/char_data.h"

#include <gtest/gtest.h>

#include <random>

#include "tests/support/data_dir.h"

namespace muwu {
namespace {

class CharDataTest : public ::testing::TestWithParam<Caching> {
  protected:
    void SetUp() override {
        // A heading only: a list without characters, which is no damage.
        for (int k = 1; k <= kMaxStrokes; ++k)
            dir.writeList(k, u"标题\r\n");
    }
    test::DataDir dir;
};

TEST(StrokeListName, HasTwoDigits) {
    EXPECT_EQ(strokeListName(1), u"01画的字.txt");
    EXPECT_EQ(strokeListName(7), u"07画的字.txt");
    EXPECT_EQ(strokeListName(10), u"10画的字.txt");
    EXPECT_EQ(strokeListName(30), u"30画的字.txt");
}

TEST_P(CharDataTest, FindsCharactersAfterTheColonOnly) {
    dir.writeList(12, u"十二画“木”：\r\n五行属“木”：棋 森\r\n椅子“金”在标题：甲");
    CharacterData data(dir.path(), GetParam());
    EXPECT_EQ(data.strokes(u"棋"), (StrokeInfo{12, u"木"}));
    EXPECT_EQ(data.strokes(u"椅").strokes, 0);                // only in a heading
    EXPECT_EQ(data.strokes(u"甲"), (StrokeInfo{12, u"金"}));  // last line without a line end
    EXPECT_EQ(data.strokes(u"属").strokes, 0);
}

TEST_P(CharDataTest, LowestCountWinsAndTheFirstMarkGivesTheAttribute) {
    dir.writeList(5, u"五画：甲\r\n");
    dir.writeList(12, u"“火”“水”：甲 乙\r\n无属性：丙\r\n末尾“：丁\r\n“");
    CharacterData data(dir.path(), GetParam());
    EXPECT_EQ(data.strokes(u"甲"), (StrokeInfo{5, u""}));
    EXPECT_EQ(data.strokes(u"乙"), (StrokeInfo{12, u"火"}));
    EXPECT_EQ(data.strokes(u"丙"), (StrokeInfo{12, u""}));
    EXPECT_EQ(data.strokes(u"丁"),
              (StrokeInfo{12, u"："}));  // the character after the mark, whatever it is
}

TEST_P(CharDataTest, TextsOfSeveralUnitsAreSearchedAsSubstrings) {
    dir.writeList(3, u"三：甲 乙丙\r\n：丁\r\n");
    CharacterData data(dir.path(), GetParam());
    EXPECT_EQ(data.strokes(u"乙丙").strokes, 3);
    EXPECT_EQ(data.strokes(u"甲 乙").strokes, 3);
    EXPECT_EQ(data.strokes(u"丙丁").strokes, 0);  // never across lines
    EXPECT_EQ(data.strokes(u" ").strokes, 0);     // separators are not characters
}

TEST_P(CharDataTest, TheEmptyTextFindsTheFirstListLine) {
    dir.writeList(1, u"没有冒号的标题\r\n");
    dir.writeList(4, u"标题\r\n五行属“土”：王\r\n");
    dir.writeList(6, u"：朱\r\n");
    CharacterData data(dir.path(), GetParam());
    EXPECT_EQ(data.strokes(u""), (StrokeInfo{4, u"土"}));
    dir.writeList(1, u"“水”：一\r\n");
    EXPECT_EQ(data.strokes(u""), (StrokeInfo{1, u"水"}));
}

TEST_P(CharDataTest, ConvertsByPositionInTheAlignedTables) {
    std::u16string simplified(56, u'○');
    std::u16string traditional(56, u'○');
    simplified += u"刘张";
    traditional += u"劉";
    dir.write(kSimplifiedTableName, simplified);
    dir.write(kTraditionalTableName, traditional);
    CharacterData data(dir.path(), GetParam());
    EXPECT_EQ(data.traditional(u"刘"), u"劉");  // position 57 in both
    EXPECT_EQ(data.traditional(u"张"), u"");    // the traditional table is shorter
    EXPECT_EQ(data.traditional(u"李"), u"李");  // not in the table: itself
    EXPECT_EQ(data.traditional(u"刘张"), std::nullopt);
    EXPECT_EQ(data.traditional(u""), std::nullopt);
    EXPECT_EQ(data.traditional(u"○"), u"○");  // first occurrence decides
}

TEST_P(CharDataTest, DoubleSurnamesCompareTheFirstTwoUnitsOfALine) {
    dir.write(kDoubleSurnameListName, u"欧阳 注释\r\n\r\n司\r\n诸葛");
    CharacterData data(dir.path(), GetParam());
    EXPECT_TRUE(data.startsWithDoubleSurname(u"欧阳修"));
    EXPECT_TRUE(data.startsWithDoubleSurname(u"诸葛亮"));
    EXPECT_FALSE(data.startsWithDoubleSurname(u"司马光"));
    EXPECT_FALSE(data.startsWithDoubleSurname(u"欧"));
}

TEST_P(CharDataTest, PoolsJoinTheCharacterPartsWithoutSpaces) {
    dir.writeList(9, u"九画：\r\n“木” ：柏 柳\r\n标题 不是\r\n“水”：洋：洲 \r\n");
    CharacterData data(dir.path(), GetParam());
    EXPECT_EQ(data.strokePool(9), u"柏柳洋：洲");
    EXPECT_EQ(data.strokePool(0), u"");
    EXPECT_EQ(data.strokePool(31), u"");
}

TEST_P(CharDataTest, AChangedFileIsSeenAtTheNextLookup) {
    dir.writeList(8, u"：明\r\n");
    CharacterData data(dir.path(), GetParam());
    EXPECT_EQ(data.strokes(u"明").strokes, 8);
    dir.writeList(8, u"：林\r\n");  // rewritten in place, same size
    EXPECT_EQ(data.strokes(u"明").strokes, 0);
    EXPECT_EQ(data.strokes(u"林").strokes, 8);

    // Replaced by a rename, as editors save.
    const auto list8 = dir.path() / "08画的字.txt";
    dir.write(u"new.tmp", u"：松\r\n");
    std::filesystem::rename(dir.path() / "new.tmp", list8);
    EXPECT_EQ(data.strokes(u"松").strokes, 8);
    EXPECT_EQ(data.strokePool(8), u"松");

    dir.remove(strokeListName(8));
    EXPECT_EQ(data.strokes(u"松").strokes, 0);
    dir.write(kDoubleSurnameListName, u"上官\r\n");
    EXPECT_TRUE(data.startsWithDoubleSurname(u"上官婉儿"));
    dir.write(kDoubleSurnameListName, u"东方\r\n");
    EXPECT_FALSE(data.startsWithDoubleSurname(u"上官婉儿"));
}

TEST_P(CharDataTest, TheRevisionMovesWhenAFileIsToBeReadAnew) {
    dir.writeList(8, u"：明\r\n");
    CharacterData data(dir.path(), GetParam());
    EXPECT_EQ(data.strokePool(8), u"明");
    const std::uint64_t before = data.revision();
    if (GetParam() == Caching::on) {
        EXPECT_EQ(data.revision(), before);  // nothing changed, so a pool built earlier serves
    }
    dir.writeList(8, u"：林\r\n");
    const std::uint64_t after = data.revision();
    EXPECT_NE(after, before);
    EXPECT_EQ(data.strokePool(8), u"林");
    if (GetParam() == Caching::on) {
        EXPECT_EQ(data.revision(), after);
    }
}

TEST_P(CharDataTest, ABatchChecksForChangesOnceAtItsStart) {
    dir.writeList(8, u"：明\r\n");
    CharacterData data(dir.path(), GetParam());
    {
        CharacterData::Batch batch(data);
        EXPECT_EQ(data.strokes(u"明").strokes, 8);
    }
    dir.writeList(8, u"：林\r\n");
    CharacterData::Batch batch(data);
    EXPECT_EQ(data.strokes(u"林").strokes, 8);
}

TEST_P(CharDataTest, MissingFilesAreEmptyAndReportedOnce) {
    dir.remove(strokeListName(3));
    dir.writeList(4, u"：王\r\n");
    CharacterData data(dir.path(), GetParam());
    EXPECT_EQ(data.strokes(u"王").strokes, 4);
    EXPECT_EQ(data.traditional(u"王"), u"王");
    std::vector<DataProblem> problems = data.takeProblems();
    std::vector<std::u16string> files;
    for (const auto& p : problems)
        files.push_back(p.file);
    EXPECT_NE(std::find(files.begin(), files.end(), u"03画的字.txt"), files.end());
    EXPECT_NE(std::find(files.begin(), files.end(), kSimplifiedTableName), files.end());
    for (const auto& p : problems)
        EXPECT_NE(p.message.find("找不到数据文件"), std::string::npos);

    (void)data.strokes(u"王");
    (void)data.strokes(u"没有");
    EXPECT_TRUE(data.takeProblems().empty());
}

TEST_P(CharDataTest, GarbledBytesAreNamedWithTheirOffsetAndTheRestStillServes) {
    dir.writeBytes(strokeListName(7),
                   std::string("\xA3\xBA\xC0\xEE\r\n\xFF\xFF\r\n\xA3\xBA\xC2\xC0", 14));
    CharacterData data(dir.path(), GetParam());
    EXPECT_EQ(data.strokes(u"李").strokes, 7);
    EXPECT_EQ(data.strokes(u"吕").strokes, 7);
    const auto problems = data.takeProblems();
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].file, u"07画的字.txt");
    EXPECT_NE(problems[0].message.find("字节偏移 6"), std::string::npos) << problems[0].message;
}

INSTANTIATE_TEST_SUITE_P(BothWays, CharDataTest, ::testing::Values(Caching::on, Caching::off),
                         [](const auto& row) {
                             return row.param == Caching::on ? std::string("Cached")
                                                             : std::string("Fresh");
                         });

// The cache must answer exactly as reading the files anew does, whatever is asked.
TEST(CharDataCache, AgreesWithReadingAnewOnRandomData) {
    std::mt19937 rng(20261208);
    const std::u16string alphabet = u"甲乙丙丁戊己庚辛壬癸“：  \r\n木金";
    for (int round = 0; round < 20; ++round) {
        test::DataDir dir;
        auto randomText = [&](int length) {
            std::u16string s;
            for (int i = 0; i < length; ++i)
                s += alphabet[rng() % alphabet.size()];
            return s;
        };
        for (int k = 1; k <= kMaxStrokes; ++k)
            dir.writeList(k, randomText(static_cast<int>(rng() % 40)));
        dir.write(kSimplifiedTableName, randomText(30));
        dir.write(kTraditionalTableName, randomText(25));
        dir.write(kDoubleSurnameListName, randomText(30));
        CharacterData cached(dir.path(), Caching::on);
        CharacterData fresh(dir.path(), Caching::off);
        for (int q = 0; q < 200; ++q) {
            const std::u16string text = randomText(static_cast<int>(rng() % 4));
            ASSERT_EQ(cached.strokes(text), fresh.strokes(text)) << "round " << round;
            ASSERT_EQ(cached.traditional(text), fresh.traditional(text));
            ASSERT_EQ(cached.startsWithDoubleSurname(text), fresh.startsWithDoubleSurname(text));
        }
        for (int k = 0; k <= 31; ++k)
            ASSERT_EQ(cached.strokePool(k), fresh.strokePool(k));
    }
}

}  // namespace
}  // namespace muwu
