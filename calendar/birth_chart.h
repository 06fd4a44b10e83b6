#pragma once
// From a birth moment to the chart: the four pillars, the lunar date, the elements, and where
// a pillar changes within minutes of the moment.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "calendar/julian.h"
#include "calendar/lunar_calendar.h"
#include "calendar/pillars.h"
#include "calendar/time_zone.h"

namespace muwu::calendar {

// A pillar that changes this close to the moment is reported.
inline constexpr int kNearChangeSeconds = 15 * 60;

struct NearChange {
    enum class Kind { term, hour, day } kind = Kind::term;
    std::int64_t at = 0;  // UTC seconds of the change
    int termIndex = -1;   // for a term: which (an even index, a 节)
    std::int64_t secondsFromBirth = 0;  // change minus birth: negative when it came before
};

struct Chart {
    std::int64_t utc = 0;                 // the moment, seconds since 1970-01-01 UTC
    std::optional<double> longitude;      // east, degrees, for true solar time
    double equationOfTimeMinutes = 0;     // when true solar time is used
    std::int64_t pillarClock = 0;         // local seconds the day and hour pillars are read from
    ZiHourDay zi = ZiHourDay::nextDay;
    Pillars pillars;
    LunarDate lunar;
    int lunarYearBranch = 0;              // the 生肖 of the lunar year
    ElementCounts counts;
    std::vector<Element> absent;          // elements none of the eight characters has
    std::vector<NearChange> nearChanges;
    [[nodiscard]] int dayMaster() const noexcept { return pillars.day.stem(); }
};

// The chart of a UTC moment. The day and hour pillars are read from local standard time
// (UTC + standardOffset seconds) or, with a longitude, from true solar time there.
[[nodiscard]] Chart chartAt(std::int64_t utc, std::int32_t standardOffset,
                            std::optional<double> longitude, ZiHourDay zi);

struct BirthInput {
    CivilDate date;
    int secondOfDay = 0;
    std::optional<std::int32_t> utcOffset;  // the clock's offset, given when a reading is ambiguous
    std::optional<double> longitude;
    ZiHourDay zi = ZiHourDay::nextDay;
};

struct BirthMoment {
    enum class Status { ok, skipped, ambiguous, offsetNotUsed } status = Status::ok;
    std::vector<std::int64_t> candidates;  // UTC instants the clock reading may mean
    LocalTimeType clock;                   // the clock's time type at the moment
    std::int32_t standardOffset = 0;
};

// The elements the chart lacks as text, in the order 金木水火土 ("金水"); empty when it has all
// five. What a name search is asked to supply from the chart.
[[nodiscard]] std::u16string absentElementsText(const Chart& chart);

// The UTC instant(s) a clock reading in a zone stands for.
[[nodiscard]] BirthMoment resolveBirth(const TimeZone& zone, const BirthInput& input);

// Years the calendar covers.
inline constexpr int kFirstYear = 1901;
inline constexpr int kLastYear = 2099;

}  // namespace muwu::calendar
