#include "cli/bazi_command.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <ostream>
#include <set>

#include "calendar/birth_chart.h"
#include "calendar/solar_terms.h"
#include "cli/birth_options.h"
#include "cli/json.h"
#include "cli/options.h"
#include "platform/text.h"

namespace muwu::cli {

namespace {

using namespace muwu::calendar;

constexpr std::string_view kBaziUsage =
    "用法：muwu-cli bazi 日期 时间 [--tz 时区] [--longitude 经度] [--zi-day 23|0] [--json]\n"
    "\n"
    "按出生地的钟表时间排出四柱八字、农历日期和生肖，列出八字各字的五行、各地支的藏干、\n"
    "五行的个数、所缺的五行和日主。\n"
    "\n"
    "  日期                 公历 YYYY-MM-DD（1901 至 2099 年）\n"
    "  时间                 HH:MM 或 HH:MM:SS，出生地当时钟表上的时间；夏令时结束时重复的\n"
    "                       一小时要加上 UTC 偏移说明是哪一个，例如 01:30+09:00\n"
    "  --tz 时区            时区数据库中的名字（默认 Asia/Shanghai，含 1986–1991 年的夏令时）\n"
    "  --longitude 经度     出生地经度（东经为正，如 116.4），日柱、时柱按真太阳时排：\n"
    "                       地方平时加均时差；不给则按该时区的标准时间（不计夏令时）\n"
    "  --zi-day 23|0        子时换日：23 为 23 点起算次日（默认），0 为零点换日、\n"
    "                       23 点至零点为夜子时（日柱仍是当日，时柱按次日起）\n"
    "  --json               输出一行 JSON\n"
    "\n"
    "年柱以立春为界，月柱以十二节为界，时刻由本程序按天文算法计算。出生前后 15 分钟内\n"
    "有柱换时会提示。本程序不判断喜用神：各派取法不同，没有公认的算法；请根据所列五行\n"
    "自行决定名字要补哪些五行。\n";

const std::set<std::string> kFlags = {"--json", "--help", "-h"};
const std::set<std::string> kValued = {"--data", "--tz", "--longitude", "--zi-day"};


std::string two(long long v) {
    std::string s = std::to_string(v);
    return s.size() < 2 ? "0" + s : s;
}

std::string clockText(std::int64_t seconds, bool withSeconds = false) {
    const CivilTime t = civilTimeFromSeconds(seconds);
    std::string s = std::to_string(t.date.year) + "-" + two(t.date.month) + "-" + two(t.date.day) +
                    " " + two(t.hour) + ":" + two(t.minute);
    if (withSeconds)
        s += ":" + two(t.second);
    return s;
}

std::string u8(std::u16string_view s) {
    return toUtf8(s);
}

std::string withElement(int stem) {
    return u8(stemName(stem)) + "（" + u8(elementName(stemElement(stem))) + "）";
}

std::string durationText(std::int64_t seconds) {
    const std::int64_t a = std::llabs(seconds);
    std::string s;
    if (a >= 60)
        s += std::to_string(a / 60) + " 分";
    if (a % 60 != 0 || a < 60)
        s += (s.empty() ? "" : " ") + std::to_string(a % 60) + " 秒";
    return s;
}

std::string nearChangeText(const NearChange& n, const Chart& c, std::int32_t clockOffset) {
    const std::string when = n.secondsFromBirth < 0 ? "出生前 " : "出生后 ";
    const std::string span = durationText(n.secondsFromBirth);
    switch (n.kind) {
        case NearChange::Kind::term:
            return "节气" + u8(kTermNames[static_cast<std::size_t>(n.termIndex)]) + "在" + when +
                   span + "交节（当地钟表 " + clockText(n.at + clockOffset, true) + "），" +
                   (n.termIndex == 2 ? "年柱和月柱" : "月柱") + "在此更换";
        case NearChange::Kind::hour:
            return "时柱在" + when + span + "更换（排柱时间 " +
                   clockText(n.at + (c.pillarClock - c.utc)) + "）";
        case NearChange::Kind::day:
            return "日柱和时柱在" + when + span + "更换（排柱时间 " +
                   clockText(n.at + (c.pillarClock - c.utc)) + "）";
    }
    return {};
}

std::string lunarText(const Chart& c) {
    return std::to_string(c.lunar.year) + "年" + u8(lunarMonthDayText(c.lunar));
}

struct Context {
    std::string date, time, zoneName;
    BirthMoment moment;
};

void appendText(std::string& out, const Chart& c, const Context& x) {
    const LocalTimeType& clock = x.moment.clock;
    out += "出生时间：" + x.date + " " + x.time + "（" + x.zoneName + "，" +
           offsetText(clock.utcOffset) + (clock.dst ? "，夏令时" : "") + "）＝ UTC " +
           clockText(c.utc, true) + "\n";
    if (c.longitude) {
        char lon[32];
        std::snprintf(lon, sizeof lon, "%s %.2f°", *c.longitude < 0 ? "西经" : "东经",
                      std::abs(*c.longitude));
        char eot[32];
        std::snprintf(eot, sizeof eot, "%+.1f", c.equationOfTimeMinutes);
        out += "真太阳时：" + clockText(c.pillarClock, true) + "（" + lon + "，地方平时加均时差 " +
               eot + " 分），日柱、时柱按此排\n";
    } else {
        out += "排柱时间：" + clockText(c.pillarClock) + "（标准时间 " +
               offsetText(x.moment.standardOffset) + "），日柱、时柱按此排\n";
    }
    out += "农历：" + lunarText(c) + "　生肖：" + u8(zodiacName(c.lunarYearBranch)) + "\n";
    const GanZhi pillars[4] = {c.pillars.year, c.pillars.month, c.pillars.day, c.pillars.hour};
    out += "八字：";
    for (int i = 0; i < 4; ++i)
        out += (i ? " " : "") + u8(pillars[i].text());
    out += "\n";
    static constexpr const char* kNames[4] = {"年柱", "月柱", "日柱", "时柱"};
    for (int i = 0; i < 4; ++i) {
        const GanZhi g = pillars[i];
        out += std::string(kNames[i]) + "　" + withElement(g.stem()) + " " +
               u8(branchName(g.branch())) + "（" + u8(elementName(branchElement(g.branch()))) +
               "）　藏干：";
        const HiddenStems h = hiddenStems(g.branch());
        for (int k = 0; k < h.count; ++k)
            out += (k ? " " : "") + withElement(h.stems[static_cast<std::size_t>(k)]);
        out += "\n";
    }
    out += "五行（八字）：";
    for (std::size_t i = 0; i < kElementOrder.size(); ++i) {
        const Element e = kElementOrder[i];
        out += (i ? "　" : "") + u8(elementName(e)) + " " +
               std::to_string(c.counts.characters[static_cast<std::size_t>(e)]);
    }
    out += "\n藏干五行：";
    for (std::size_t i = 0; i < kElementOrder.size(); ++i) {
        const Element e = kElementOrder[i];
        out += (i ? "　" : "") + u8(elementName(e)) + " " +
               std::to_string(c.counts.hidden[static_cast<std::size_t>(e)]);
    }
    out += "\n所缺五行：";
    if (c.absent.empty())
        out += "无（五行俱全）";
    for (const Element e : c.absent)
        out += u8(elementName(e));
    out += "\n日主：" + withElement(c.dayMaster()) + "\n";
    out += std::string("子时：") +
           (c.zi == ZiHourDay::nextDay ? "23 点换日" : "零点换日（23 点起为夜子时）") + "\n";
    if (static_cast<int>(floorMod(c.pillars.year.branch() - c.lunarYearBranch, 12)) != 0) {
        out += "说明：生肖按农历年（春节换），年柱按立春换，此刻两者不同\n";
    }
    for (const NearChange& n : c.nearChanges)
        out += "注意：" + nearChangeText(n, c, x.moment.clock.utcOffset) + "；出生时间差几分钟，柱就不同\n";
}

void appendJson(std::string& out, const Chart& c, const Context& x) {
    json::Object o(out);
    o.field("date", std::string_view(x.date)).field("time", std::string_view(x.time));
    o.field("zone", std::string_view(x.zoneName));
    o.field("utc_offset", std::string_view(offsetText(x.moment.clock.utcOffset)));
    o.field("dst", x.moment.clock.dst);
    o.field("utc", std::string_view(clockText(c.utc, true)));
    o.field("pillar_time", std::string_view(clockText(c.pillarClock, true)));
    o.field("true_solar_time", c.longitude.has_value());
    o.field("zi_day", static_cast<long long>(c.zi == ZiHourDay::nextDay ? 23 : 0));
    std::string lunar;
    json::Object(lunar)
        .field("year", static_cast<long long>(c.lunar.year))
        .field("month", static_cast<long long>(c.lunar.month))
        .field("leap", c.lunar.leap)
        .field("day", static_cast<long long>(c.lunar.day))
        .field("text", std::string_view(lunarText(c)))
        .close();
    o.raw("lunar", lunar);
    o.field("zodiac", zodiacName(c.lunarYearBranch));
    std::string pillars = "[";
    const GanZhi list[4] = {c.pillars.year, c.pillars.month, c.pillars.day, c.pillars.hour};
    for (int i = 0; i < 4; ++i) {
        const GanZhi g = list[i];
        std::string hidden = "[";
        const HiddenStems h = hiddenStems(g.branch());
        for (int k = 0; k < h.count; ++k) {
            const int stem = h.stems[static_cast<std::size_t>(k)];
            if (k)
                hidden += ',';
            json::Object(hidden)
                .field("stem", stemName(stem))
                .field("element", elementName(stemElement(stem)))
                .close();
        }
        hidden += ']';
        if (i)
            pillars += ',';
        json::Object(pillars)
            .field("stem", stemName(g.stem()))
            .field("branch", branchName(g.branch()))
            .field("stem_element", elementName(stemElement(g.stem())))
            .field("branch_element", elementName(branchElement(g.branch())))
            .raw("hidden", hidden)
            .close();
    }
    pillars += ']';
    o.raw("pillars", pillars);
    std::string counts;
    std::string hiddenCounts;
    json::Object countObject(counts);
    json::Object hiddenObject(hiddenCounts);
    for (const Element e : kElementOrder) {
        countObject.field(toUtf8(elementName(e)),
                          static_cast<long long>(c.counts.characters[static_cast<std::size_t>(e)]));
        hiddenObject.field(toUtf8(elementName(e)),
                           static_cast<long long>(c.counts.hidden[static_cast<std::size_t>(e)]));
    }
    countObject.close();
    hiddenObject.close();
    o.raw("elements", counts).raw("hidden_elements", hiddenCounts);
    std::string absent = "[";
    for (std::size_t i = 0; i < c.absent.size(); ++i) {
        if (i)
            absent += ',';
        json::appendString(absent, elementName(c.absent[i]));
    }
    absent += ']';
    o.raw("absent", absent);
    std::string master;
    json::Object(master)
        .field("stem", stemName(c.dayMaster()))
        .field("element", elementName(stemElement(c.dayMaster())))
        .close();
    o.raw("day_master", master);
    std::string notes = "[";
    for (std::size_t i = 0; i < c.nearChanges.size(); ++i) {
        if (i)
            notes += ',';
        json::appendString(notes, nearChangeText(c.nearChanges[i], c, x.moment.clock.utcOffset));
    }
    notes += ']';
    o.raw("near_changes", notes);
    o.close();
    out += '\n';
}

}  // namespace

bool isBaziCommand(const std::vector<std::string>& args) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--data") {
            ++i;
        } else if (!args[i].starts_with("--data=")) {
            return args[i] == "bazi";
        }
    }
    return false;
}

int runBazi(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
            const Environment& env) {
    try {
        const Parsed p = parseArguments(args, {kFlags, kValued, "命令 bazi 不接受选项 ", true});
        if (p.flags.contains("--help")) {
            out << kBaziUsage;
            return kExitOk;
        }
        if (p.positionals.size() != 2)
            throw UsageError{"bazi 需要日期和时间两个参数，例如 2024-02-10 08:30"};
        Context x;
        const BirthRequest request = birthRequestOf(p, p.positionals[0], p.positionals[1]);
        x.date = request.date;
        x.time = request.time;
        x.zoneName = request.zoneName;
        int status = kExitOk;
        const std::optional<BirthChart> birth = birthChartOf(request, env, err, status);
        if (!birth)
            return status;
        x.moment = birth->moment;
        const Chart& chart = birth->chart;
        std::string text;
        if (p.flags.contains("--json"))
            appendJson(text, chart, x);
        else
            appendText(text, chart, x);
        out << text;
        return kExitOk;
    } catch (const UsageError& e) {
        writeError(err, e.message + "（用 muwu-cli bazi --help 查看用法）");
        return kExitUsage;
    } catch (const std::exception& e) {
        writeError(err, e.what());
        return kExitFailure;
    }
}

}  // namespace muwu::cli
