#include "calendar/birth_chart.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "calendar/delta_t.h"
#include "calendar/solar_terms.h"
#include "calendar/sun.h"

namespace muwu::calendar {

namespace {

double jdOfUtc(std::int64_t utc) {
    return julianDayFromSeconds(static_cast<double>(utc));
}

std::int64_t utcOfJd(double jdUt) {
    return static_cast<std::int64_t>(std::llround(secondsFromJulianDay(jdUt)));
}

void noteTerms(Chart& c) {
    const int year = civilTimeFromSeconds(c.utc).date.year;
    for (int y = year - 1; y <= year + 1; ++y) {
        for (int i = 0; i < kTermCount; i += 2) {
            const std::int64_t at = utcOfJd(solarTermUt(y, i));
            if (std::llabs(at - c.utc) <= kNearChangeSeconds)
                c.nearChanges.push_back({NearChange::Kind::term, at, i, at - c.utc});
        }
    }
}

void noteClockChanges(Chart& c, std::int64_t offsetToClock) {
    // Hours change at odd hours; the day at 23:00 or at midnight.
    const std::int64_t secondOfDay = floorMod(c.pillarClock, 86400);
    const std::int64_t dayStart = c.pillarClock - secondOfDay;
    for (int h = -1; h <= 25; h += 2) {
        const std::int64_t boundary = dayStart + h * 3600;
        const std::int64_t delta = boundary - c.pillarClock;
        if (std::llabs(delta) > kNearChangeSeconds)
            continue;
        const bool dayChange = c.zi == ZiHourDay::nextDay && (h == -1 || h == 23);
        c.nearChanges.push_back({dayChange ? NearChange::Kind::day : NearChange::Kind::hour,
                                 boundary - offsetToClock, -1, delta});
    }
    if (c.zi == ZiHourDay::sameDay) {
        for (const std::int64_t boundary : {dayStart, dayStart + 86400}) {
            const std::int64_t delta = boundary - c.pillarClock;
            if (std::llabs(delta) <= kNearChangeSeconds)
                c.nearChanges.push_back(
                    {NearChange::Kind::day, boundary - offsetToClock, -1, delta});
        }
    }
}

}  // namespace

Chart chartAt(std::int64_t utc, std::int32_t standardOffset, std::optional<double> longitude,
              ZiHourDay zi) {
    Chart c;
    c.utc = utc;
    c.zi = zi;
    c.longitude = longitude;
    const double jd = jdOfUtc(utc);
    std::int64_t offset = standardOffset;
    if (longitude) {
        // True solar time: local mean time plus the equation of time.
        c.equationOfTimeMinutes = equationOfTimeMinutes(ttFromUt(jd));
        offset = std::llround(*longitude * 240.0 + c.equationOfTimeMinutes * 60.0);
    }
    c.pillarClock = utc + offset;
    const CivilTime local = civilTimeFromSeconds(c.pillarClock);
    const int secondOfDay = local.hour * 3600 + local.minute * 60 + local.second;
    const DayHour dh = dayAndHourPillars(local.date, secondOfDay, zi);
    c.pillars = {yearPillar(jd), monthPillar(jd), dh.day, dh.hour};
    c.lunar = lunarDateOf(chinaDayOf(jd));
    c.lunarYearBranch = static_cast<int>(floorMod(c.lunar.year - 4, 12));
    c.counts = countElements(c.pillars);
    for (const Element e : kElementOrder) {
        if (c.counts.characters[static_cast<std::size_t>(e)] == 0)
            c.absent.push_back(e);
    }
    noteTerms(c);
    noteClockChanges(c, offset);
    return c;
}

BirthMoment resolveBirth(const TimeZone& zone, const BirthInput& input) {
    BirthMoment m;
    const std::int64_t local = daysFromCivil(input.date) * 86400 + input.secondOfDay;
    const std::vector<std::int64_t> candidates = zone.fromLocal(local);
    if (input.utcOffset) {
        const std::int64_t utc = local - *input.utcOffset;
        m.candidates = {utc};
        // An offset the zone did not have then is the user's to give; say so, use it anyway.
        if (zone.at(utc).utcOffset != *input.utcOffset)
            m.status = BirthMoment::Status::offsetNotUsed;
    } else {
        m.candidates = candidates;
        if (candidates.empty())
            m.status = BirthMoment::Status::skipped;
        else if (candidates.size() > 1)
            m.status = BirthMoment::Status::ambiguous;
    }
    if (!m.candidates.empty()) {
        m.clock = zone.at(m.candidates.front());
        if (input.utcOffset)
            m.clock.utcOffset = *input.utcOffset;
        m.standardOffset = zone.standardOffset(m.candidates.front());
        if (input.utcOffset && !m.clock.dst && m.status == BirthMoment::Status::offsetNotUsed)
            m.standardOffset = *input.utcOffset;
    }
    return m;
}

std::u16string absentElementsText(const Chart& chart) {
    std::u16string text;
    for (const Element e : kElementOrder) {
        if (std::find(chart.absent.begin(), chart.absent.end(), e) != chart.absent.end())
            text += elementName(e);
    }
    return text;
}

}  // namespace muwu::calendar
