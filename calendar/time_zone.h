#pragma once
// Local clock time of a place from the system's time-zone database (TZif files, RFC 8536),
// read by ourselves: libstdc++ 12 has no std::chrono::tzdb, and setting TZ for the process
// would change every other use of local time.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace muwu::calendar {

struct LocalTimeType {
    std::int32_t utcOffset = 0;  // seconds east of Greenwich
    bool dst = false;
    std::string abbreviation;
};

// A daylight-saving rule of a POSIX TZ string ("CST-8", "EST5EDT,M3.2.0,M11.1.0").
struct PosixRule {
    LocalTimeType standard;
    std::optional<LocalTimeType> daylight;
    struct Change {
        char kind = 'M';  // 'J' (day 1-365, no leap day), 'D' (day 0-365), 'M' (month.week.day)
        int day = 0;
        int week = 0;
        int month = 0;
        std::int32_t time = 7200;  // local seconds after midnight, may be negative or past 24h
    };
    Change start;  // into daylight time
    Change end;    // back to standard time
};

class TimeZone {
  public:
    // Reads NAME below the zoneinfo folder. Returns nothing with `problem` set when the name is
    // not a zone or the file is not a valid TZif file.
    static std::optional<TimeZone> load(const std::filesystem::path& zoneinfo,
                                        const std::string& name, std::string& problem);
    // From the bytes of a TZif file (version 2 or later).
    static std::optional<TimeZone> parse(const std::string& bytes, std::string& problem);
    // A POSIX TZ string alone.
    static std::optional<TimeZone> fromPosix(const std::string& tz);

    // The local time type in force at a UTC instant (seconds since 1970-01-01 00:00 UTC).
    [[nodiscard]] LocalTimeType at(std::int64_t utc) const;

    // The UTC instants whose local clock reads `local` (a local time as seconds since
    // 1970-01-01 00:00): none in a gap skipped by the clocks, two when the clocks went back.
    [[nodiscard]] std::vector<std::int64_t> fromLocal(std::int64_t local) const;

    // The standard-time offset in force at an instant: the offset without daylight saving.
    [[nodiscard]] std::int32_t standardOffset(std::int64_t utc) const;

  private:
    std::vector<std::int64_t> transitions_;
    std::vector<std::uint8_t> typeIndex_;
    std::vector<LocalTimeType> types_;
    std::optional<PosixRule> rule_;
};

[[nodiscard]] std::optional<PosixRule> parsePosixTz(const std::string& tz);

// A zone name that names a file below the zoneinfo folder and nothing else: letters, digits,
// "_+-" and "/" between parts, no "." parts.
[[nodiscard]] bool plausibleZoneName(const std::string& name);

}  // namespace muwu::calendar
