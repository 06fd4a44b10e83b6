#include "update/product_list.h"

#include <gtest/gtest.h>

#include "platform/gbk.h"

namespace muwu {
namespace {

using Lines = std::vector<std::u16string>;

TEST(ProductList, LinesKeepEmptyOnesAndAcceptEveryLineEnd) {
    EXPECT_EQ(splitListLines(u""), Lines{});
    EXPECT_EQ(splitListLines(u"\r\n"), Lines{u""});
    EXPECT_EQ(splitListLines(u"a\r\n\r\nb\r\n"), (Lines{u"a", u"", u"b"}));
    EXPECT_EQ(splitListLines(u"a\r\nb"), (Lines{u"a", u"b"}));
    EXPECT_EQ(splitListLines(u"a\nb\rc\r\n"), (Lines{u"a", u"b", u"c"}));
    EXPECT_EQ(splitListLines(u"a\n\nb"), (Lines{u"a", u"", u"b"}));
}

TEST(ProductList, ReadsGbkBytes) {
    const std::string bytes =
        encodeGbk(u"《别的产品》版本：V1.0 \r\n《沐梧取名器》版本：V3.0.29 文件大小＝3181\r\n")
            .bytes;
    const Lines lines = readProductList(bytes);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1], u"《沐梧取名器》版本：V3.0.29 文件大小＝3181");
    EXPECT_EQ(findProductLine(lines), 1u);
}

struct LineCase {
    const char* name;
    std::u16string_view line;
    bool ours;
};

class ProductLineTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(ProductLineTest, TitleUpToFirstClosingBracket) {
    EXPECT_EQ(isProductLine(GetParam().line), GetParam().ours);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ProductLineTest,
    ::testing::Values(LineCase{"Plain", u"《沐梧取名器》版本：V3.0.29 ", true},
                      LineCase{"TitleAlone", u"《沐梧取名器》", true},
                      LineCase{"LeadingBlank", u" 《沐梧取名器》版本：V3.0.29 ", false},
                      LineCase{"LeadingFullWidthBlank", u"\u3000《沐梧取名器》版本：V3.0.29 ",
                               false},
                      LineCase{"OtherProduct", u"《青岑诗集》版本：V1.0 ", false},
                      LineCase{"LongerTitle", u"《沐梧取名器专业版》版本：V9.9 ", false},
                      LineCase{"TitleLater", u"新品《沐梧取名器》", false},
                      LineCase{"Empty", u"", false}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(ProductList, FirstOfTwoProductLinesCounts) {
    const Lines lines{u"", u"《青岑诗集》", u"《沐梧取名器》版本：V3.0.29 ",
                      u"《沐梧取名器》版本：V9.0 "};
    EXPECT_EQ(findProductLine(lines), 2u);
    EXPECT_EQ(findProductLine(Lines{}), std::nullopt);
    EXPECT_EQ(findProductLine(Lines{u" 《沐梧取名器》版本：V3.0.29 "}), std::nullopt);
}

struct SizeCase {
    const char* name;
    std::u16string_view line;
    std::optional<long long> size;
};

class ListedSizeTest : public ::testing::TestWithParam<SizeCase> {};

TEST_P(ListedSizeTest, ReadsTheNumberAfterTheMarker) {
    EXPECT_EQ(listedSize(GetParam().line), GetParam().size);
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, ListedSizeTest,
    ::testing::Values(
        SizeCase{"AtEnd", u"《沐梧取名器》版本：V3.0.29 文件大小＝3181", 3181},
        SizeCase{"BeforeVersion", u"《沐梧取名器》文件大小＝3200 版本：V3.0.3 ", 3200},
        SizeCase{"BlanksSkipped", u"《沐梧取名器》文件大小＝ \t\u30003181KB", 3181},
        SizeCase{"StopsAtLetter", u"《沐梧取名器》文件大小＝12K34", 12},
        SizeCase{"StopsAtPoint", u"《沐梧取名器》文件大小＝3181.9", 3181},
        SizeCase{"NoDigits", u"《沐梧取名器》文件大小＝大约三兆", 0},
        SizeCase{"MarkerAtEnd", u"《沐梧取名器》文件大小＝", 0},
        SizeCase{"NoMarker", u"《沐梧取名器》版本：V3.0.29 ", std::nullopt},
        SizeCase{"AsciiEqualsIsNoMarker", u"《沐梧取名器》文件大小=3181", std::nullopt},
        SizeCase{"HugeIsCapped", u"《沐梧取名器》文件大小＝99999999999999999999999",
                 kMaxListedSize}),
    [](const auto& row) { return std::string(row.param.name); });

struct TokenCase {
    const char* name;
    std::u16string_view line;
    std::optional<std::u16string_view> token;
};

class VersionTokenTest : public ::testing::TestWithParam<TokenCase> {};

TEST_P(VersionTokenTest, SeparatorThenUpToTheNextSpace) {
    const auto token = versionToken(GetParam().line);
    ASSERT_EQ(token.has_value(), GetParam().token.has_value());
    if (token) {
        EXPECT_EQ(*token, *GetParam().token);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Tokens, VersionTokenTest,
    ::testing::Values(
        TokenCase{"Example", u"《沐梧取名器》版本：V3.0.29 文件大小＝3181", u"V3.0.29"},
        TokenCase{"AfterSize", u"《沐梧取名器》文件大小＝3181 版本：V3.0.3 ", u"V3.0.3"},
        TokenCase{"AsciiSeparator", u"《沐梧取名器》版本:V3.1 ", u"V3.1"},
        TokenCase{"NoClosingSpace", u"《沐梧取名器》版本：V3.0.29", std::nullopt},
        TokenCase{"NoClosingSpaceBeforeSize", u"《沐梧取名器》版本：V3.0.29文件大小＝3181",
                  std::nullopt},
        TokenCase{"MarkerAtEnd", u"《沐梧取名器》版本", std::nullopt},
        TokenCase{"OnlySeparator", u"《沐梧取名器》版本：", std::nullopt},
        TokenCase{"EmptyToken", u"《沐梧取名器》版本： 文件大小＝1", u""},
        TokenCase{"FirstOccurrence", u"《沐梧取名器》版本：V3.0.29 旧版本：V3.0.1 ", u"V3.0.29"},
        TokenCase{"NoMarker", u"《沐梧取名器》文件大小＝3181 ", std::nullopt}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(ProductList, DigestField) {
    const std::string hex(64, 'a');
    const std::u16string hex16(64, u'a');
    const auto kind = [](std::u16string_view line) { return listedDigest(line).kind; };
    using K = ListedDigest::Kind;

    EXPECT_EQ(kind(u"《沐梧取名器》版本：V3.0.29 文件大小＝3181"), K::absent);
    const ListedDigest d =
        listedDigest(u"《沐梧取名器》版本：V3.0.29 SHA256＝" + hex16 + u" 文件大小＝1");
    EXPECT_EQ(d.kind, K::valid);
    EXPECT_EQ(d.hex, hex);
    // Upper case is read and kept in lower case, so either spelling compares.
    EXPECT_EQ(listedDigest(u"SHA256＝" + std::u16string(64, u'F')).hex, std::string(64, 'f'));
    EXPECT_EQ(kind(u"SHA256＝" + std::u16string(63, u'a')), K::malformed);
    EXPECT_EQ(kind(u"SHA256＝" + std::u16string(65, u'a')), K::malformed);
    EXPECT_EQ(kind(u"SHA256＝" + std::u16string(63, u'a') + u"g"), K::malformed);
    EXPECT_EQ(kind(u"SHA256＝"), K::malformed);
    EXPECT_EQ(kind(u"SHA256=" + hex16), K::absent);  // not the marker the list uses
}

TEST(ProductList, DownloadCaptionKeepsUpToTheLastClosingBracket) {
    EXPECT_EQ(downloadCaption(u"《沐梧取名器》版本：V3.0.29 文件大小＝3181"),
              u"下载《沐梧取名器》");
    EXPECT_EQ(downloadCaption(u"《青岑诗集》与《沐梧取名器》合集 版本：V1 "),
              u"下载《青岑诗集》与《沐梧取名器》");
    EXPECT_EQ(downloadCaption(u"无书名号的行"), u"下载无书名号的行");
    EXPECT_EQ(downloadCaption(u""), u"下载");
}

}  // namespace
}  // namespace muwu
