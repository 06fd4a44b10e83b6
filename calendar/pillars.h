#pragma once
// The four pillars (四柱) and what a chart shows of them: stems and branches, their elements,
// the hidden stems of each branch, the count of each element and the day master.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "calendar/julian.h"

namespace muwu::calendar {

enum class Element { wood, fire, earth, metal, water };
inline constexpr int kElementCount = 5;
// In the order charts list them: 金木水火土.
inline constexpr std::array<Element, kElementCount> kElementOrder = {
    Element::metal, Element::wood, Element::water, Element::fire, Element::earth};

[[nodiscard]] std::u16string_view elementName(Element e) noexcept;
[[nodiscard]] std::u16string_view stemName(int stem) noexcept;      // 0 甲 ... 9 癸
[[nodiscard]] std::u16string_view branchName(int branch) noexcept;  // 0 子 ... 11 亥
[[nodiscard]] std::u16string_view zodiacName(int branch) noexcept;  // 0 鼠 ... 11 猪
[[nodiscard]] Element stemElement(int stem) noexcept;
[[nodiscard]] Element branchElement(int branch) noexcept;

// The stems hidden in a branch (藏干), main stem first; one to three of them.
struct HiddenStems {
    std::array<int, 3> stems{};
    int count = 0;
};
[[nodiscard]] HiddenStems hiddenStems(int branch) noexcept;

// One of the sixty pairs: index 0 is 甲子, 1 乙丑, ... 59 癸亥.
struct GanZhi {
    int index = 0;
    [[nodiscard]] int stem() const noexcept { return index % 10; }
    [[nodiscard]] int branch() const noexcept { return index % 12; }
    [[nodiscard]] std::u16string text() const;
    friend bool operator==(const GanZhi&, const GanZhi&) = default;
};
[[nodiscard]] GanZhi ganZhiOf(int stem, int branch) noexcept;

// Which day the hour of 子 from 23:00 belongs to.
enum class ZiHourDay {
    nextDay,     // the day pillar changes at 23:00 (子初换日)
    sameDay,     // the day pillar changes at midnight; 23:00-24:00 is the late 子 hour (夜子时)
};

struct Pillars {
    GanZhi year;
    GanZhi month;
    GanZhi day;
    GanZhi hour;
};

// The year and month pillars of a moment (Julian day, UT): they change at 立春 and at each 节.
[[nodiscard]] GanZhi yearPillar(double jdUt);
[[nodiscard]] GanZhi monthPillar(double jdUt);

// The day pillar of a civil date, from the unbroken sixty-day cycle.
[[nodiscard]] GanZhi dayPillarOf(CivilDate date) noexcept;

// The day and hour pillars of a local clock reading (date and time of day in seconds).
struct DayHour {
    GanZhi day;
    GanZhi hour;
};
[[nodiscard]] DayHour dayAndHourPillars(CivilDate date, int secondOfDay, ZiHourDay zi) noexcept;

// The element counts of the eight characters (stems and the branches' own elements), and
// of the hidden stems, in the order of Element.
struct ElementCounts {
    std::array<int, kElementCount> characters{};
    std::array<int, kElementCount> hidden{};
};
[[nodiscard]] ElementCounts countElements(const Pillars& p) noexcept;

}  // namespace muwu::calendar
