#include "platform/text.h"

#include <gtest/gtest.h>

#include <vector>

namespace muwu {
namespace {

TEST(Utf, RoundTripsEveryPlane) {
    const std::u16string text = u"张三丰 A1 \U00020000 é";
    EXPECT_EQ(fromUtf8(toUtf8(text)), text);
    EXPECT_EQ(toUtf8(u"\U0001F600"), "\xF0\x9F\x98\x80");
}

TEST(Utf, LoneSurrogatesAndBadBytesBecomeReplacementCharacters) {
    EXPECT_EQ(toUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
    EXPECT_EQ(toUtf8(std::u16string{u'a', char16_t(0xDC00), u'b'}),
              "a\xEF\xBF\xBD"
              "b");
    EXPECT_EQ(fromUtf8("a\xFF"
                       "b"),
              u"a\uFFFDb");
    EXPECT_EQ(fromUtf8("\xE5\xBC"), u"\uFFFD\uFFFD");            // truncated sequence
    EXPECT_EQ(fromUtf8("\xC0\xAF"), u"\uFFFD\uFFFD");            // overlong
    EXPECT_EQ(fromUtf8("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");  // encoded surrogate
}

TEST(Lines, SplitsAtEveryKindOfLineEnd) {
    std::vector<std::u16string> lines;
    forEachLine(u"a\r\nb\rc\nd\r\n\r\ne", [&](std::u16string_view l) { lines.emplace_back(l); });
    EXPECT_EQ(lines, (std::vector<std::u16string>{u"a", u"b", u"c", u"d", u"", u"e"}));
    lines.clear();
    forEachLine(u"x\r\n", [&](std::u16string_view l) { lines.emplace_back(l); });
    EXPECT_EQ(lines, std::vector<std::u16string>{u"x"});
}

TEST(Printable, EscapesEveryControlCharacterAndNothingElse) {
    for (char32_t c = 0; c <= 0xA0; ++c) {
        const std::u16string text = std::u16string(u"a") + static_cast<char16_t>(c) + u"b";
        const bool control = c < 0x20 || (c >= 0x7F && c <= 0x9F);
        static constexpr char kHex[] = "0123456789ABCDEF";
        const std::string expected =
            control ? std::string("a\\u00") + kHex[c >> 4] + kHex[c & 0xF] + "b" : toUtf8(text);
        EXPECT_EQ(printable(text), expected) << static_cast<int>(c);
    }
    EXPECT_EQ(printable(u"张\x1b[2J三"), "张\\u001B[2J三");
}

}  // namespace
}  // namespace muwu
