#include "platform/gbk.h"

#include <gtest/gtest.h>

namespace muwu {
namespace {

TEST(Gbk, DecodesAndEncodesChineseText) {
    const std::string bytes = "\xD5\xC5\xC8\xFD\xB7\xE1\r\n";  // 张三丰 in GBK
    const GbkDecoded d = decodeGbk(bytes);
    EXPECT_EQ(d.text, u"张三丰\r\n");
    EXPECT_FALSE(d.firstBadOffset);
    EXPECT_EQ(encodeGbk(u"张三丰\r\n").bytes, bytes);
    EXPECT_EQ(encodeGbk(u"劉“金”：").unmappable, 0u);
}

TEST(Gbk, ReportsTheOffsetOfTheFirstBadSequenceAndKeepsTheRest) {
    // 0xFF is never valid; 0x81 followed by 0x20 is an invalid pair; a trailing lead byte is cut.
    const GbkDecoded d = decodeGbk(std::string("\xD5\xC5\xFF\xC8\xFD\x81 ok\xB7", 10));
    EXPECT_EQ(d.firstBadOffset, 2u);
    EXPECT_EQ(d.badSequences, 3u);
    EXPECT_EQ(d.text, u"张\uFFFD三\uFFFD ok\uFFFD");
}

TEST(Gbk, WritesAQuestionMarkForWhatGbkCannotHold) {
    const GbkEncoded e = encodeGbk(u"a\U0001F600b\u0E01c");
    EXPECT_EQ(e.bytes, "a?b?c");
    EXPECT_EQ(e.unmappable, 2u);
    EXPECT_FALSE(gbkCanEncode(u"\U00020000"));
    EXPECT_EQ(encodeGbk(std::u16string(1, char16_t(0xD800))).bytes, "?");
}

}  // namespace
}  // namespace muwu
