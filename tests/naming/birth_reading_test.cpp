// A birth moment as the windows read it: forms a user types, and each thing that can be wrong
// named rather than guessed.
#include <gtest/gtest.h>

#include "naming/birth_reading.h"
#include "platform/text.h"

namespace muwu {
namespace {

BirthReading read(std::u16string_view moment, std::u16string_view zone = {}) {
    return readBirth(moment, zone, systemZoneinfo());
}

TEST(BirthReading, TypedFormsGiveTheSameChart) {
    EXPECT_EQ(read(u"").status, BirthReading::Status::none);
    EXPECT_EQ(read(u" 　 ").status, BirthReading::Status::none);
    const BirthReading plain = read(u"2024-02-04 16:20");
    ASSERT_EQ(plain.status, BirthReading::Status::ok);
    EXPECT_EQ(plain.pillars, u"癸卯 乙丑 戊戌 庚申");
    EXPECT_EQ(plain.absent, u"火");
    // Full-width digits and signs of a Chinese input method, a slash, single digits, seconds,
    // spaces around, the zone named.
    for (const std::u16string_view same :
         {u"２０２４－０２－０４　１６：２０", u"2024/2/4 16:20", u" 2024-02-04  16:20:00 ",
          u"2024-02-04 16:20+08:00"}) {
        const BirthReading r = read(same, u"Asia/Shanghai");
        EXPECT_EQ(r.status, BirthReading::Status::ok) << toUtf8(r.problem);
        EXPECT_EQ(r.pillars, plain.pillars);
    }
    EXPECT_EQ(birthSummary(plain), u"八字 癸卯 乙丑 戊戌 庚申　缺火");
}

TEST(BirthReading, WhatIsWrongIsNamed) {
    struct Case {
        std::u16string_view moment, zone, named;
    };
    for (const Case& c : {
             Case{u"2024-02-04", {}, u"年-月-日 时:分"},
             Case{u"16:20 2024-02-04", {}, u"年-月-日 时:分"},
             Case{u"2023-02-29 08:00", {}, u"不存在"},
             Case{u"2024-02-04 24:00", {}, u"不存在"},
             Case{u"1900-12-31 08:00", {}, u"1901 至 2099"},
             Case{u"2024-02-04 08:00+8", {}, u"UTC 偏移"},
             Case{u"1986-05-04 02:30", {}, u"拨快"},
             Case{u"1986-09-14 01:30", {}, u"01:30+09:00 或 01:30+08:00"},
             Case{u"2024-02-04 08:00", u"Asia/Atlantis", u"Asia/Atlantis"},
             Case{u"2024-02-04 08:00", u"../etc/passwd", u"不是时区名"},
         }) {
        const BirthReading r = read(c.moment, c.zone);
        EXPECT_EQ(r.status, BirthReading::Status::refused);
        EXPECT_NE(r.problem.find(c.named), std::u16string::npos) << toUtf8(r.problem);
        EXPECT_EQ(birthSummary(r), r.problem);
    }
}

}  // namespace
}  // namespace muwu
