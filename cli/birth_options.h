#pragma once
// A birth moment on the command line, read alike by bazi and search: the date and clock time
// where the child was born, the zone, a longitude for true solar time and the rule for the hour
// of 子; and the chart it gives.
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>

#include "calendar/birth_chart.h"
#include "cli/cli.h"
#include "cli/options.h"

namespace muwu::cli {

struct BirthRequest {
    std::string date, time;  // as given
    std::string zoneName;    // --tz, Asia/Shanghai when absent
    calendar::BirthInput input;
};

// DATE (YYYY-MM-DD) and TIME (HH:MM[:SS], optionally with a UTC offset) with the options --tz,
// --longitude and --zi-day of p. Throws UsageError naming what is wrong.
[[nodiscard]] BirthRequest birthRequestOf(const Parsed& p, const std::string& date,
                                          const std::string& time);

struct BirthChart {
    calendar::BirthMoment moment;
    calendar::Chart chart;
};

// The chart of the request. A zone that cannot be read is reported on err and gives nullopt with
// the exit status in status; a clock reading the zone skips or repeats throws UsageError; a
// given offset the zone does not use at that moment is noted on err and used.
[[nodiscard]] std::optional<BirthChart> birthChartOf(const BirthRequest& request,
                                                     const Environment& env, std::ostream& err,
                                                     int& status);

// The elements a name is wanted to bring: given by --supply, or those absent from the chart of
// --birth "DATE TIME" (with --tz, --longitude, --zi-day).
struct Supply {
    bool asked = false;       // either option was given
    bool fromBirth = false;   // by --birth
    std::u16string elements;  // 金木水火土 in any order; empty: nothing wanted
};

// The supply the options ask for. Throws UsageError for both options at once, for elements
// that are not 金木水火土 or repeat, and for --tz, --longitude or --zi-day without --birth;
// a zone that cannot be read is reported as birthChartOf does (nullopt, status set).
[[nodiscard]] std::optional<Supply> supplyOption(const Parsed& p, const Environment& env,
                                                 std::ostream& err, int& status);

// The line a list shows before it for the supply, e.g. "八字所缺五行：金水（…）".
[[nodiscard]] std::string supplyLine(const Supply& supply);

// "UTC+08:00".
[[nodiscard]] std::string offsetText(std::int32_t offset);

}  // namespace muwu::cli
