#pragma once
// A birth moment as the windows take it: the clock time typed where the child was born and the
// zone's name, read into the chart's pillars and the elements it lacks, or into a message that
// says what is wrong with them. No Qt.
#include <filesystem>
#include <string>
#include <string_view>

namespace muwu {

inline constexpr std::u16string_view kDefaultZone = u"Asia/Shanghai";

struct BirthReading {
    enum class Status {
        none,     // no birth moment given
        ok,       // read: pillars and absent hold the chart's
        refused,  // problem says why
    } status = Status::none;
    std::u16string pillars;  // "癸卯 乙丑 戊戌 庚申"
    std::u16string absent;   // the elements none of the eight characters has, "火"; may be empty
    std::u16string problem;
};

// The time-zone database: TZDIR when set, else the system's.
[[nodiscard]] std::filesystem::path systemZoneinfo();

// moment: "YYYY-MM-DD HH:MM", seconds and a UTC offset ("01:30+09:00", for an hour the clocks
// showed twice) may follow the minutes; full-width digits and signs are read as their ASCII
// forms. An empty moment (spaces alone) is no birth moment. zone: a name of the database,
// kDefaultZone when empty. The day pillar changes at 23:00, the pillars are read from the
// zone's standard time, as the command line does by default.
[[nodiscard]] BirthReading readBirth(std::u16string_view moment, std::u16string_view zone,
                                     const std::filesystem::path& zoneinfo);

// One line for the window: "八字 癸卯 乙丑 戊戌 庚申　缺火" (or "五行俱全"); the problem when
// refused; empty with no birth moment.
[[nodiscard]] std::u16string birthSummary(const BirthReading& reading);

}  // namespace muwu
