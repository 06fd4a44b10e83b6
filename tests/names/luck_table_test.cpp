#include "names/luck_table.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/gbk.h"
#include "platform/text.h"

namespace muwu {
namespace {

struct Expected {
    std::u16string_view title;
    LuckClass cls;
};

constexpr LuckClass G = LuckClass::greatLuck, L = LuckClass::luck, M = LuckClass::misfortune;

// Titles and classes every entry must carry.
const Expected kExpected[kLuckEntries + 1] = {
    {u"", LuckClass::none}, {u"万物回春", G}, {u"两仪之数", M}, {u"三才之数", G}, {u"四象之数", M},
    {u"五行之数", G},       {u"六爻之数", G}, {u"七政之数", G}, {u"八卦之数", L}, {u"大成之数", M},
    {u"终结之数", M},       {u"旱苗逢雨", G}, {u"掘井无泉", M}, {u"春日牡丹", G}, {u"破兆", M},
    {u"福寿", G},           {u"厚重", G},     {u"刚强", L},     {u"铁镜重磨", L}, {u"多难", M},
    {u"屋下藏金", M},       {u"明月中天", G}, {u"秋草逢霜", M}, {u"壮丽", G},     {u"掘藏得金", G},
    {u"荣俊", L},           {u"变怪", M},     {u"增长", M},     {u"阔水浮萍", M}, {u"智谋", G},
    {u"非运", L},           {u"春日花开", G}, {u"宝马金鞍", G}, {u"旭日升天", G}, {u"破家", M},
    {u"高楼望月", G},       {u"波澜重叠", M}, {u"猛虎出林", G}, {u"磨铁成针", L}, {u"富贵荣华", L},
    {u"退安", M},           {u"有德", G},     {u"寒蝉在柳", M}, {u"散财破产", M}, {u"烦闷", M},
    {u"顺风", G},           {u"浪里淘金", M}, {u"点石成金", G}, {u"古松立鹤", G}, {u"转变", M},
    {u"小舟入海", M},       {u"沉浮", L},     {u"达眼", G},     {u"曲卷难星", M}, {u"石上栽花", M},
    {u"善恶", M},           {u"浪里行舟", M}, {u"日照春松", G}, {u"晚行遇月", L}, {u"寒蝉悲风", M},
    {u"无谋", M},           {u"牡丹芙蓉", G}, {u"衰败", M},     {u"舟归平海", G}, {u"非命", M},
    {u"巨流归海", G},       {u"岩头步马", M}, {u"顺风通达", G}, {u"顺风吹帆", G}, {u"非业", M},
    {u"残菊逢霜", M},       {u"石上金花", L}, {u"劳苦", M},     {u"无勇", L},     {u"残菊经霜", M},
    {u"退守", L},           {u"离散", M},     {u"半吉", L},     {u"晚苦", M},     {u"云头望月", M},
    {u"遁吉", M},
};

std::vector<std::u16string> linesOf(std::u16string_view entry) {
    std::vector<std::u16string> lines;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = entry.find(u"\r\n", start);
        lines.emplace_back(
            entry.substr(start, end == std::u16string_view::npos ? entry.npos : end - start));
        if (end == std::u16string_view::npos)
            break;
        start = end + 2;
    }
    return lines;
}

std::u16string decimal(int n) {
    const std::string s = std::to_string(n);
    return std::u16string(s.begin(), s.end());
}

TEST(LuckTable, EveryEntryHasItsTitleClassAndSixLines) {
    int counts[4] = {};
    for (int n = 1; n <= kLuckEntries; ++n) {
        SCOPED_TRACE(n);
        const std::u16string_view entry = luckEntry(n);
        const auto lines = linesOf(entry);
        ASSERT_EQ(lines.size(), 6u);
        EXPECT_FALSE(entry.ends_with(u"\r\n"));

        const std::u16string_view title = kExpected[n].title;
        std::u16string head = decimal(n) + u"（" + std::u16string(title) + u"）";
        if (title.size() == 2)
            head += u' ';
        ASSERT_TRUE(lines[0].starts_with(head)) << toUtf8(lines[0]);
        const std::u16string summary = lines[0].substr(head.size());
        const std::u16string_view phrases = std::u16string_view(summary).substr(0, 20);
        for (int p = 0; p < 4; ++p)
            EXPECT_EQ(phrases[p * 5 + 4], p < 3 ? u'，' : u'。') << toUtf8(summary);

        EXPECT_TRUE(lines[1].starts_with(n == 21 ? u"基业；" : u"基业："));
        EXPECT_TRUE(lines[n == 6 ? 3 : 2].starts_with(u"家庭："));
        EXPECT_TRUE(lines[n == 6 ? 2 : 3].starts_with(u"健康："));
        EXPECT_TRUE(lines[4].starts_with(u"含义："));

        EXPECT_EQ(classOf(entry), kExpected[n].cls);
        EXPECT_EQ(lines[5],
                  std::u16string(u"（") + std::u16string(className(kExpected[n].cls)) + u"）");
        // The marker stands nowhere but on the last line.
        const std::u16string body = std::u16string(entry.substr(0, entry.size() - lines[5].size()));
        EXPECT_EQ(classOf(body), LuckClass::none);
        EXPECT_TRUE(gbkCanEncode(entry)) << "the report writes the texts in GBK";
        ++counts[static_cast<int>(kExpected[n].cls)];
    }
    EXPECT_EQ(counts[static_cast<int>(G)], 29);
    EXPECT_EQ(counts[static_cast<int>(L)], 13);
    EXPECT_EQ(counts[static_cast<int>(M)], 38);
}

TEST(LuckTable, FirstAndLastEntriesReadAsGiven) {
    EXPECT_EQ(
        luckEntry(1),
        u"1（万物回春）最吉之数，还本归元，吉祥重叠，富贵尊荣。诱导数。\r\n"
        u"基业：天福、天官、赐禄、财库、将星、技艺、文昌。\r\n"
        u"家庭：子女俱佳，兄弟圆满，家庭和睦。\r\n"
        u"健康：身心健康，可望长寿。“三才”不善者可能病患。\r\n"
        u"含义：为最极之数，还本归元，其数理与基数1相同。万宝朝宗，吉祥重叠。体力旺盛，庆幸万多，"
        u"富贵名誉，繁荣长寿，实属富贵尊荣的大诱导数。\r\n"
        u"（大吉）");
    EXPECT_TRUE(
        luckEntry(80).starts_with(u"80（遁吉） 辛苦不绝，早入隐遁，安心立命，化凶转吉。\r\n"));
    EXPECT_EQ(luckEntry(0), u"");
    EXPECT_EQ(luckEntry(-1), u"");
    EXPECT_EQ(luckEntry(81), u"");
}

TEST(LuckColour, RedExactlyForMisfortune) {
    EXPECT_EQ(kRed, 0x0000FFu);
    EXPECT_EQ(kGreen, 0x008000u);
    EXPECT_EQ(gridColour(luckEntry(41)), kGreen);
    EXPECT_TRUE(luckEntry(41).starts_with(u"41（有德）"));
    EXPECT_EQ(gridColour(luckEntry(4)), kRed);
    EXPECT_EQ(gridColour(luckEntry(77)), kGreen);  // titled 半吉, of class 吉
    EXPECT_EQ(classOf(luckEntry(77)), LuckClass::luck);
    EXPECT_EQ(gridColour(luckEntry(0)), kGreen);
    EXPECT_EQ(classOf(u""), LuckClass::none);
}

TEST(LuckIndex, ReducesByTheTotalAndMendsLoneNumbersAbove80) {
    struct Row {
        long long n, total;
        int index;
    };
    for (const Row r : {Row{41, 41, 41}, Row{81, 81, 1}, Row{160, 160, 0}, Row{80, 90, 0},
                        Row{80, 80, 80}, Row{12, 95, 12}, Row{81, 80, 1}, Row{0, 0, 0}}) {
        EXPECT_EQ(entryIndexFor(r.n, r.total), r.index) << r.n << " with total " << r.total;
    }
}

}  // namespace
}  // namespace muwu
