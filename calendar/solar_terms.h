#pragma once
// The 24 solar terms (节气): the moments when the Sun's apparent longitude reaches a multiple
// of 15 degrees.
#include <array>
#include <string_view>

namespace muwu::calendar {

// Terms in the order they fall in a Gregorian year: 0 is 小寒 (285 degrees), 2 is 立春
// (315 degrees), 5 is 春分 (0 degrees), 23 is 冬至 (270 degrees). Even indices are the 12 节
// that begin the months of the pillars; odd ones are the 12 中气 of the lunar calendar.
inline constexpr int kTermCount = 24;
inline constexpr std::array<std::u16string_view, kTermCount> kTermNames = {
    u"小寒", u"大寒", u"立春", u"雨水", u"惊蛰", u"春分", u"清明", u"谷雨",
    u"立夏", u"小满", u"芒种", u"夏至", u"小暑", u"大暑", u"立秋", u"处暑",
    u"白露", u"秋分", u"寒露", u"霜降", u"立冬", u"小雪", u"大雪", u"冬至"};

[[nodiscard]] constexpr double termLongitude(int index) noexcept {
    return static_cast<double>((285 + 15 * index) % 360);
}

[[nodiscard]] constexpr bool isPrincipalTerm(int index) noexcept {
    return index % 2 == 1;
}

// Julian day in UT of term `index` (0-23) of Gregorian year `year`.
[[nodiscard]] double solarTermUt(int year, int index) noexcept;

// The same in TT, as the astronomy computes it.
[[nodiscard]] double solarTermTt(int year, int index) noexcept;

// Julian day (TT) near jdTt at which the Sun's apparent longitude is `longitude` degrees.
[[nodiscard]] double solarLongitudeTimeTt(double longitude, double nearJdTt) noexcept;

}  // namespace muwu::calendar
