#include "naming/birth_reading.h"

#include <charconv>
#include <cstdlib>
#include <exception>
#include <optional>

#include "calendar/birth_chart.h"
#include "platform/text.h"

namespace muwu {

namespace {

using namespace muwu::calendar;

// Full-width forms as typed with a Chinese input method (２０２４－０２－０４ １６：２０) read as ASCII;
// runs of spaces as one; no spaces at either end.
std::string normalised(std::u16string_view text) {
    std::u16string s;
    for (char16_t c : text) {
        if (c >= 0xFF01 && c <= 0xFF5E)
            c = static_cast<char16_t>(c - 0xFEE0);
        else if (c == 0x3000 || c == u'\t')
            c = u' ';
        if (c == u' ' && (s.empty() || s.back() == u' '))
            continue;
        s += c;
    }
    while (!s.empty() && s.back() == u' ')
        s.pop_back();
    return toUtf8(s);
}

std::optional<int> number(std::string_view s, std::size_t least, std::size_t most) {
    if (s.size() < least || s.size() > most)
        return std::nullopt;
    int v = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || end != s.data() + s.size())
        return std::nullopt;
    return v;
}

std::string two(int v) {
    return (v < 10 ? "0" : "") + std::to_string(v);
}

std::string offsetText(std::int32_t offset) {
    const int a = std::abs(offset);
    return std::string(offset < 0 ? "-" : "+") + two(a / 3600) + ":" + two(a / 60 % 60);
}

struct Parsed {
    CivilDate date;
    BirthInput input;
    std::string clock;  // HH:MM as the user meant it, for the messages
    std::string problem;
};

// "YYYY-MM-DD HH:MM[:SS][±HH:MM|Z]"; the date may use / and single digits.
Parsed parse(const std::string& text) {
    Parsed p;
    const std::string format = "出生时间应写作“年-月-日 时:分”，例如 2024-02-04 16:20";
    const std::size_t space = text.find(' ');
    if (space == std::string::npos || text.find(' ', space + 1) != std::string::npos) {
        p.problem = format;
        return p;
    }
    const std::string_view date = std::string_view(text).substr(0, space);
    std::string_view time = std::string_view(text).substr(space + 1);

    const std::size_t a = date.find_first_of("-/");
    const std::size_t b = a == std::string_view::npos ? a : date.find_first_of("-/", a + 1);
    const auto year = number(date.substr(0, a), 4, 4);
    const auto month = b == std::string_view::npos ? std::nullopt : number(date.substr(a + 1, b - a - 1), 1, 2);
    const auto day = b == std::string_view::npos ? std::nullopt : number(date.substr(b + 1), 1, 2);
    if (!year || !month || !day) {
        p.problem = format;
        return p;
    }
    p.input.date = {*year, *month, *day};
    if (!validDate(p.input.date)) {
        p.problem = "出生日期“" + std::string(date) + "”不存在";
        return p;
    }
    if (*year < kFirstYear || *year > kLastYear) {
        p.problem = "出生日期“" + std::string(date) + "”超出范围：只算 " +
                    std::to_string(kFirstYear) + " 至 " + std::to_string(kLastYear) + " 年";
        return p;
    }

    std::string_view zone;
    if (const auto sign = time.find_first_of("+-Z"); sign != std::string_view::npos) {
        zone = time.substr(sign);
        time = time.substr(0, sign);
    }
    // H:MM or H:MM:SS
    const std::size_t c1 = time.find(':');
    const std::size_t c2 = c1 == std::string_view::npos ? c1 : time.find(':', c1 + 1);
    const std::string_view minutePart =
        c1 == std::string_view::npos ? std::string_view()
                                     : time.substr(c1 + 1, c2 == std::string_view::npos
                                                               ? std::string_view::npos
                                                               : c2 - c1 - 1);
    const std::string_view secondPart =
        c2 == std::string_view::npos ? std::string_view("00") : time.substr(c2 + 1);
    const int hour = number(time.substr(0, c1), 1, 2).value_or(-1);
    const int minute = number(minutePart, 2, 2).value_or(-1);
    const int second = number(secondPart, 2, 2).value_or(-1);
    if (hour < 0 || minute < 0 || second < 0) {
        p.problem = format;
        return p;
    }
    if (hour > 23 || minute > 59 || second > 59) {
        p.problem = "出生时间“" + std::string(time) + "”不存在";
        return p;
    }
    p.input.secondOfDay = hour * 3600 + minute * 60 + second;
    p.clock = two(hour) + ":" + two(minute);
    if (zone == "Z") {
        p.input.utcOffset = 0;
    } else if (!zone.empty()) {
        const auto oh = zone.size() == 6 && zone[3] == ':' ? number(zone.substr(1, 2), 2, 2)
                                                           : std::nullopt;
        const auto om = oh ? number(zone.substr(4, 2), 2, 2) : std::nullopt;
        if (!oh || !om || *oh > 14 || *om > 59) {
            p.problem = "UTC 偏移“" + std::string(zone) + "”应写作 +08:00 这样";
            return p;
        }
        p.input.utcOffset = (zone[0] == '-' ? -1 : 1) * (*oh * 3600 + *om * 60);
    }
    return p;
}

}  // namespace

std::filesystem::path systemZoneinfo() {
    if (const char* tzdir = std::getenv("TZDIR"); tzdir != nullptr && *tzdir != '\0')
        return tzdir;
    return "/usr/share/zoneinfo";
}

BirthReading readBirth(std::u16string_view moment, std::u16string_view zoneText,
                       const std::filesystem::path& zoneinfo) {
    BirthReading r;
    const std::string text = normalised(moment);
    if (text.empty())
        return r;
    r.status = BirthReading::Status::refused;
    const Parsed p = parse(text);
    if (!p.problem.empty()) {
        r.problem = fromUtf8(p.problem);
        return r;
    }
    std::string zoneName = normalised(zoneText);
    if (zoneName.empty())
        zoneName = toUtf8(kDefaultZone);
    std::string problem;
    const std::optional<TimeZone> zone = TimeZone::load(zoneinfo, zoneName, problem);
    if (!zone) {
        r.problem = fromUtf8(problem);
        return r;
    }
    const BirthMoment m = resolveBirth(*zone, p.input);
    const std::string reading = text.substr(0, text.find(' ')) + " " + p.clock;
    switch (m.status) {
        case BirthMoment::Status::skipped:
            r.problem = fromUtf8("当地时间 " + reading + " 在 " + zoneName +
                                 " 不存在：钟表在此拨快（夏令时开始），请核对出生时间");
            return r;
        case BirthMoment::Status::ambiguous: {
            std::string both;
            for (const std::int64_t utc : m.candidates)
                both += (both.empty() ? "" : " 或 ") + p.clock + offsetText(zone->at(utc).utcOffset);
            r.problem = fromUtf8("当地时间 " + reading + " 在 " + zoneName +
                                 " 出现两次（钟表在此拨回）：请在时间后写明 UTC 偏移，" + both);
            return r;
        }
        case BirthMoment::Status::offsetNotUsed:  // the user's offset, used as given
        case BirthMoment::Status::ok:
            break;
    }
    if (m.candidates.empty()) {
        r.problem = u"出生时间无法换算";
        return r;
    }
    try {
        const Chart chart = chartAt(m.candidates.front(), m.standardOffset, std::nullopt,
                                    ZiHourDay::nextDay);
        const GanZhi pillars[4] = {chart.pillars.year, chart.pillars.month, chart.pillars.day,
                                   chart.pillars.hour};
        for (const GanZhi& g : pillars) {
            if (!r.pillars.empty())
                r.pillars += u' ';
            r.pillars += g.text();
        }
        r.absent = absentElementsText(chart);
    } catch (const std::exception& e) {
        r.problem = u"出生时间无法排柱：" + fromUtf8(e.what());
        return r;
    }
    r.status = BirthReading::Status::ok;
    return r;
}

std::u16string birthSummary(const BirthReading& r) {
    switch (r.status) {
        case BirthReading::Status::none:
            return {};
        case BirthReading::Status::refused:
            return r.problem;
        case BirthReading::Status::ok:
            break;
    }
    return u"八字 " + r.pillars + u"　" + (r.absent.empty() ? u"五行俱全" : u"缺" + r.absent);
}

}  // namespace muwu
