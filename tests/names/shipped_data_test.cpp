// Checks of the data files the program ships, read as the program reads them.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

#include "names/char_data.h"
#include "platform/gbk.h"
#include "platform/text.h"
#include "tests/support/data_dir.h"

namespace muwu {
namespace {

class ShippedData : public ::testing::Test {
  protected:
    CharacterData data{test::shippedData()};
};

bool isElement(std::u16string_view a) {
    return a == u"金" || a == u"木" || a == u"水" || a == u"火" || a == u"土";
}

TEST_F(ShippedData, ListsEveryGb2312CharacterWithACountAndAnElement) {
    int listed = 0;
    for (int row = 0xB0; row <= 0xF7; ++row) {
        for (int col = 0xA1; col <= 0xFE; ++col) {
            if (row == 0xD7 && col > 0xF9)
                continue;  // the unassigned end of row 55
            const std::string bytes{static_cast<char>(row), static_cast<char>(col)};
            const std::u16string c = decodeGbk(bytes).text;
            ASSERT_EQ(c.size(), 1u);
            const StrokeInfo info = data.strokes(c);
            EXPECT_GE(info.strokes, 1) << toUtf8(c);
            EXPECT_TRUE(isElement(info.attribute)) << toUtf8(c);
            ++listed;
        }
    }
    EXPECT_EQ(listed, 6763);
    EXPECT_TRUE(data.takeProblems().empty());
}

TEST_F(ShippedData, AgreesWithPublishedNumerologyCounts) {
    std::ifstream in(std::string(MUWU_SOURCE_DIR) + "/tests/data/published_strokes.tsv");
    ASSERT_TRUE(in) << "the sample of published counts is missing";
    std::string line;
    int rows = 0;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        const auto tab = line.find('\t');
        ASSERT_NE(tab, std::string::npos) << line;
        const std::u16string c = fromUtf8(line.substr(0, tab));
        const int expected = std::stoi(line.substr(tab + 1));
        EXPECT_EQ(data.strokes(c).strokes, expected) << line;
        ++rows;
    }
    EXPECT_GE(rows, 120);
}

TEST_F(ShippedData, NumeralsCountByValueAndRadicalsInFullForm) {
    const std::u16string numerals = u"一二三四五六七八九十";
    for (std::size_t i = 0; i < numerals.size(); ++i) {
        EXPECT_EQ(data.strokes(numerals.substr(i, 1)).strokes, static_cast<int>(i) + 1);
    }
    struct Row {
        std::u16string_view c;
        int strokes;
    };
    for (const Row r :
         {Row{u"河", 9}, Row{u"酒", 10}, Row{u"梁", 11}, Row{u"朗", 11}, Row{u"胡", 11},
          Row{u"王", 4}, Row{u"刘", 15}, Row{u"劉", 15}, Row{u"陈", 16}, Row{u"陳", 16}}) {
        EXPECT_EQ(data.strokes(r.c).strokes, r.strokes) << toUtf8(r.c);
    }
}

TEST_F(ShippedData, CodeTablesAreAlignedAndConvertToForms) {
    const auto read = [](std::u16string_view name) {
        std::ifstream in(test::shippedData() / std::filesystem::path(toUtf8(name)),
                         std::ios::binary);
        std::stringstream ss;
        ss << in.rdbuf();
        return decodeGbk(ss.str());
    };
    const GbkDecoded s = read(kSimplifiedTableName);
    const GbkDecoded t = read(kTraditionalTableName);
    ASSERT_FALSE(s.firstBadOffset);
    ASSERT_FALSE(t.firstBadOffset);
    ASSERT_EQ(s.text.size(), t.text.size());
    int pairs = 0;
    for (std::size_t p = 0; p < s.text.size(); ++p) {
        const bool lineEnd = s.text[p] == u'\r' || s.text[p] == u'\n';
        ASSERT_EQ(lineEnd, t.text[p] == u'\r' || t.text[p] == u'\n') << p;
        if (lineEnd)
            continue;
        const std::u16string simplified(1, s.text[p]);
        EXPECT_EQ(data.traditional(simplified), std::u16string(1, t.text[p]));
        EXPECT_NE(s.text[p], t.text[p]);
        EXPECT_EQ(data.strokes(simplified).strokes,
                  data.strokes(std::u16string(1, t.text[p])).strokes)
            << toUtf8(simplified);
        ++pairs;
    }
    EXPECT_GT(pairs, 2000);
    EXPECT_EQ(data.traditional(u"张"), u"張");
    EXPECT_EQ(data.traditional(u"王"), u"王");
}

TEST_F(ShippedData, ConvertsToTheUsualFormAndKeepsTheFormsNamesUse) {
    struct Row {
        std::u16string_view simplified, traditional;
    };
    // The usual traditional form, also where Big Five holds the simplified shape as a variant.
    for (const Row r : {Row{u"怀", u"懷"}, Row{u"体", u"體"}, Row{u"机", u"機"}, Row{u"气", u"氣"},
                        Row{u"征", u"徵"}, Row{u"苹", u"蘋"}, Row{u"钟", u"鍾"}, Row{u"冲", u"沖"},
                        Row{u"艳", u"艷"}, Row{u"滟", u"灧"}}) {
        EXPECT_EQ(data.traditional(r.simplified), r.traditional) << toUtf8(r.simplified);
    }
    // Surnames and name words written the same in traditional script stay out of the tables.
    for (const std::u16string_view c : {u"于", u"范", u"余", u"后", u"干", u"朴", u"郁", u"党",
                                        u"种", u"沈", u"岳", u"游", u"里", u"吁"}) {
        EXPECT_EQ(data.traditional(c), c) << toUtf8(c);
    }
}

TEST_F(ShippedData, NoCharacterIsListedTwice) {
    std::map<char16_t, int> seen;
    for (int k = 1; k <= kMaxStrokes; ++k) {
        for (const char16_t c : data.strokePool(k)) {
            const auto [it, fresh] = seen.emplace(c, k);
            EXPECT_TRUE(fresh) << toUtf8(std::u16string(1, c)) << " in " << it->second << " and "
                               << k;
        }
    }
    EXPECT_GT(seen.size(), 20000u);
}

TEST_F(ShippedData, KnowsTheCommonDoubleSurnamesInBothForms) {
    for (std::u16string_view name :
         {u"欧阳修", u"歐陽修", u"司马光", u"司馬光", u"诸葛亮", u"上官婉儿", u"东方朔", u"皇甫谧",
          u"尉迟恭", u"慕容复", u"令狐冲", u"公孙胜"}) {
        EXPECT_TRUE(data.startsWithDoubleSurname(name)) << toUtf8(name);
    }
    EXPECT_FALSE(data.startsWithDoubleSurname(u"张三丰"));
    std::ifstream in(test::shippedData() / "常见复姓表.txt", std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    int lines = 0;
    forEachLine(decodeGbk(ss.str()).text, [&](std::u16string_view l) { lines += l.size() >= 2; });
    EXPECT_GE(lines, 60);
}

}  // namespace
}  // namespace muwu
