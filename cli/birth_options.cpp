#include "cli/birth_options.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string_view>

#include "naming/supply.h"
#include "platform/text.h"

namespace muwu::cli {

using namespace muwu::calendar;

namespace {

bool parseFixed(std::string_view s, int digits, int& out) {
    if (s.size() != static_cast<std::size_t>(digits))
        return false;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
    return ec == std::errc() && end == s.data() + s.size();
}

CivilDate parseDate(const std::string& text) {
    const auto bad = UsageError{"日期“" + text + "”应写作 YYYY-MM-DD，例如 2024-02-10"};
    CivilDate d;
    if (text.size() != 10 || text[4] != '-' || text[7] != '-' ||
        !parseFixed(std::string_view(text).substr(0, 4), 4, d.year) ||
        !parseFixed(std::string_view(text).substr(5, 2), 2, d.month) ||
        !parseFixed(std::string_view(text).substr(8, 2), 2, d.day))
        throw bad;
    if (!validDate(d))
        throw UsageError{"日期“" + text + "”不存在"};
    if (d.year < kFirstYear || d.year > kLastYear) {
        throw UsageError{"日期“" + text + "”超出范围：只算 " + std::to_string(kFirstYear) + " 至 " +
                         std::to_string(kLastYear) + " 年"};
    }
    return d;
}

// HH:MM[:SS][±HH:MM|Z]
void parseTime(const std::string& text, BirthInput& input) {
    const auto bad = UsageError{"时间“" + text +
                                "”应写作 HH:MM 或 HH:MM:SS，可带 UTC 偏移，例如 08:30 或 "
                                "01:30+09:00"};
    std::string_view s(text);
    std::string_view zone;
    if (const auto sign = s.find_first_of("+-Z"); sign != std::string_view::npos) {
        zone = s.substr(sign);
        s = s.substr(0, sign);
    }
    int h = 0;
    int m = 0;
    int sec = 0;
    if (s.size() < 5 || s[2] != ':' || !parseFixed(s.substr(0, 2), 2, h) ||
        !parseFixed(s.substr(3, 2), 2, m))
        throw bad;
    if (s.size() == 8) {
        if (s[5] != ':' || !parseFixed(s.substr(6, 2), 2, sec))
            throw bad;
    } else if (s.size() != 5) {
        throw bad;
    }
    if (h > 23 || m > 59 || sec > 59)
        throw UsageError{"时间“" + text + "”不存在"};
    input.secondOfDay = h * 3600 + m * 60 + sec;
    if (zone == "Z") {
        input.utcOffset = 0;
    } else if (!zone.empty()) {
        int oh = 0;
        int om = 0;
        if (zone.size() != 6 || zone[3] != ':' || !parseFixed(zone.substr(1, 2), 2, oh) ||
            !parseFixed(zone.substr(4, 2), 2, om) || oh > 14 || om > 59)
            throw bad;
        input.utcOffset = (zone[0] == '-' ? -1 : 1) * (oh * 3600 + om * 60);
    }
}

std::string two(long long v) {
    std::string s = std::to_string(v);
    return s.size() < 2 ? "0" + s : s;
}

}  // namespace

std::string offsetText(std::int32_t offset) {
    const char sign = offset < 0 ? '-' : '+';
    const int a = std::abs(offset);
    std::string s = std::string("UTC") + sign + two(a / 3600) + ":" + two(a / 60 % 60);
    if (a % 60 != 0)
        s += ":" + two(a % 60);
    return s;
}

BirthRequest birthRequestOf(const Parsed& p, const std::string& date, const std::string& time) {
    BirthRequest r;
    r.date = date;
    r.time = time;
    r.input.date = parseDate(date);
    parseTime(time, r.input);
    if (const auto it = p.values.find("--longitude"); it != p.values.end()) {
        double lon = 0;
        const std::string& s = it->second;
        const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), lon);
        if (ec != std::errc() || end != s.data() + s.size() || !std::isfinite(lon) || lon < -180 ||
            lon > 180)
            throw UsageError{"--longitude 需要 -180 到 180 之间的经度（东经为正），而不是“" + s +
                             "”"};
        r.input.longitude = lon;
    }
    const long long zi = integerOption(p, "--zi-day", 23, 0, 23);
    if (zi != 23 && zi != 0)
        throw UsageError{"--zi-day 只能是 23 或 0，而不是“" + p.values.at("--zi-day") + "”"};
    r.input.zi = zi == 23 ? ZiHourDay::nextDay : ZiHourDay::sameDay;
    r.zoneName = valueOr(p, "--tz", "Asia/Shanghai");
    return r;
}

std::optional<BirthChart> birthChartOf(const BirthRequest& r, const Environment& env,
                                       std::ostream& err, int& status) {
    std::string problem;
    const auto zone = TimeZone::load(env.zoneinfo, r.zoneName, problem);
    if (!zone) {
        writeError(err, problem);
        status = plausibleZoneName(r.zoneName) && std::filesystem::is_directory(env.zoneinfo)
                     ? kExitUsage
                     : kExitData;
        return std::nullopt;
    }
    BirthChart b;
    b.moment = resolveBirth(*zone, r.input);
    const std::string reading = r.date + " " + r.time;
    switch (b.moment.status) {
        case BirthMoment::Status::skipped:
            throw UsageError{"当地时间 " + reading + " 在 " + r.zoneName +
                             " 不存在：钟表在此拨快（夏令时开始），请核对出生时间"};
        case BirthMoment::Status::ambiguous: {
            std::string both;
            for (const std::int64_t utc : b.moment.candidates) {
                both += (both.empty() ? "" : " 或 ") + r.time +
                        offsetText(zone->at(utc).utcOffset).substr(3);
            }
            throw UsageError{"当地时间 " + reading + " 在 " + r.zoneName +
                             " 出现两次（钟表在此拨回）：请在时间后写明 UTC 偏移，" + both};
        }
        case BirthMoment::Status::offsetNotUsed:
            writeError(err, "注意：" + r.zoneName + " 在 " + reading + " 时不用 " +
                                offsetText(*r.input.utcOffset) + "，仍按所给偏移计算");
            break;
        case BirthMoment::Status::ok:
            break;
    }
    b.chart = chartAt(b.moment.candidates.front(), b.moment.standardOffset, r.input.longitude,
                      r.input.zi);
    return b;
}

namespace {

// The birth moment of --birth "DATE TIME".
BirthRequest birthOf(const Parsed& p) {
    const std::string& value = p.values.at("--birth");
    const std::size_t space = value.find(' ');
    const std::size_t next = value.find_first_not_of(' ', space);
    if (space == std::string::npos || next == std::string::npos ||
        value.find(' ', next) != std::string::npos)
        throw UsageError{"--birth 需要“日期 时间”，例如 \"2024-02-10 08:30\"，而不是“" + value +
                         "”"};
    return birthRequestOf(p, value.substr(0, space), value.substr(next));
}

}  // namespace

std::optional<Supply> supplyOption(const Parsed& p, const Environment& env, std::ostream& err,
                                   int& status) {
    Supply supply;
    const bool birth = p.values.contains("--birth");
    for (const char* option : {"--tz", "--longitude", "--zi-day"}) {
        if (p.values.contains(option) && !birth)
            throw UsageError{std::string(option) + " 要和 --birth 一起用"};
    }
    if (const auto it = p.values.find("--supply"); it != p.values.end()) {
        if (birth)
            throw UsageError{
                "--supply 和 --birth 只能给一个：要补的五行要么直接写出，要么由八字得出"};
        supply.asked = true;
        supply.elements = fromUtf8(it->second);
        if (const std::string problem = supplyProblem(supply.elements); !problem.empty())
            throw UsageError{"--supply：" + problem + "，而不是“" + it->second + "”"};
        return supply;
    }
    if (birth) {
        const std::optional<BirthChart> chart = birthChartOf(birthOf(p), env, err, status);
        if (!chart)
            return std::nullopt;
        supply.asked = supply.fromBirth = true;
        supply.elements = absentElementsText(chart->chart);
    }
    return supply;
}

std::string supplyLine(const Supply& supply) {
    if (supply.elements.empty())
        return supply.fromBirth ? "八字五行俱全，不缺五行：不按五行挑选\n" : "不补五行\n";
    return std::string(supply.fromBirth ? "八字所缺五行：" : "要补的五行：") +
           toUtf8(supply.elements) + "（带来其中越多的越优先）\n";
}

}  // namespace muwu::cli
