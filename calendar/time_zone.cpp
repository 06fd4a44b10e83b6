#include "calendar/time_zone.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>

#include "calendar/julian.h"

namespace muwu::calendar {

namespace {

constexpr std::size_t kHeaderSize = 44;
constexpr std::uintmax_t kMaxFileSize = 1 << 20;

std::int64_t readBigEndian(const std::string& b, std::size_t at, int bytes) {
    std::uint64_t v = 0;
    for (int i = 0; i < bytes; ++i)
        v = (v << 8) | static_cast<unsigned char>(b[at + static_cast<std::size_t>(i)]);
    if (bytes == 4)
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(v));
    return static_cast<std::int64_t>(v);
}

struct Counts {
    std::size_t isut, isstd, leap, time, type, chars;
    [[nodiscard]] std::size_t dataSize(std::size_t timeSize) const {
        return time * timeSize + time + type * 6 + chars + leap * (timeSize + 4) + isstd + isut;
    }
};

bool readCounts(const std::string& b, std::size_t at, Counts& c) {
    if (b.size() < at + kHeaderSize || b.compare(at, 4, "TZif") != 0)
        return false;
    auto n = [&](int i) {
        return static_cast<std::size_t>(
            static_cast<std::uint32_t>(readBigEndian(b, at + 20 + static_cast<std::size_t>(i) * 4, 4)));
    };
    c = {n(0), n(1), n(2), n(3), n(4), n(5)};
    return c.type >= 1 && c.type <= 256 && c.chars >= 1 && c.time <= 100000 && c.leap <= 10000 &&
           (c.isut == 0 || c.isut == c.type) && (c.isstd == 0 || c.isstd == c.type);
}

// "<+08>-8", "CST-8", "EST5EDT,M3.2.0,M11.1.0" piece by piece.
class PosixReader {
  public:
    explicit PosixReader(const std::string& s) : s_(s) {}

    bool name(std::string& out) {
        if (pos_ < s_.size() && s_[pos_] == '<') {
            const std::size_t close = s_.find('>', pos_);
            if (close == std::string::npos)
                return false;
            out = s_.substr(pos_ + 1, close - pos_ - 1);
            pos_ = close + 1;
            return out.size() >= 3;
        }
        const std::size_t start = pos_;
        while (pos_ < s_.size() && std::isalpha(static_cast<unsigned char>(s_[pos_])))
            ++pos_;
        out = s_.substr(start, pos_ - start);
        return out.size() >= 3;
    }

    // [+-]hh[:mm[:ss]] as seconds; `hoursMax` 24 for offsets, 167 for rule times.
    bool time(std::int32_t& out, int hoursMax) {
        int sign = 1;
        if (pos_ < s_.size() && (s_[pos_] == '+' || s_[pos_] == '-'))
            sign = s_[pos_++] == '-' ? -1 : 1;
        int parts[3] = {0, 0, 0};
        for (int i = 0; i < 3; ++i) {
            if (i > 0) {
                if (pos_ >= s_.size() || s_[pos_] != ':')
                    break;
                ++pos_;
            }
            if (!number(parts[i], i == 0 ? hoursMax : 59))
                return false;
        }
        out = sign * (parts[0] * 3600 + parts[1] * 60 + parts[2]);
        return true;
    }

    bool number(int& out, int max) {
        const std::size_t start = pos_;
        out = 0;
        while (pos_ < s_.size() && std::isdigit(static_cast<unsigned char>(s_[pos_])) &&
               pos_ - start < 3)
            out = out * 10 + (s_[pos_++] - '0');
        return pos_ > start && out <= max;
    }

    bool change(PosixRule::Change& c) {
        if (!eat(','))
            return false;
        if (eat('M')) {
            c.kind = 'M';
            if (!number(c.month, 12) || c.month < 1 || !eat('.') || !number(c.week, 5) ||
                c.week < 1 || !eat('.') || !number(c.day, 6))
                return false;
        } else if (eat('J')) {
            c.kind = 'J';
            if (!number(c.day, 365) || c.day < 1)
                return false;
        } else {
            c.kind = 'D';
            if (!number(c.day, 365))
                return false;
        }
        c.time = 7200;
        return !eat('/') || time(c.time, 167);
    }

    bool eat(char ch) {
        if (pos_ < s_.size() && s_[pos_] == ch) {
            ++pos_;
            return true;
        }
        return false;
    }
    void unget() { --pos_; }
    [[nodiscard]] bool atEnd() const { return pos_ == s_.size(); }

  private:
    const std::string& s_;
    std::size_t pos_ = 0;
};

// Local seconds since 1970 at which a rule change happens in a year (in the local time then
// in force, which the caller turns into UTC).
std::int64_t changeLocal(const PosixRule::Change& c, int year) {
    std::int64_t day = 0;
    if (c.kind == 'M') {
        const std::int64_t first = daysFromCivil({year, c.month, 1});
        const int weekdayOfFirst = static_cast<int>(floorMod(first + 4, 7));  // 1970-01-01 Thu
        std::int64_t d = first + (c.day - weekdayOfFirst + 7) % 7 + (c.week - 1) * 7;
        const int monthLength =
            static_cast<int>(daysFromCivil(c.month == 12 ? CivilDate{year + 1, 1, 1}
                                                         : CivilDate{year, c.month + 1, 1}) -
                             first);
        while (d >= first + monthLength)
            d -= 7;  // week 5 means the last such weekday
        day = d;
    } else {
        const std::int64_t jan1 = daysFromCivil({year, 1, 1});
        const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
        int n = c.day;
        if (c.kind == 'J')
            n = c.day - 1 + (leap && c.day >= 60 ? 1 : 0);
        day = jan1 + n;
    }
    return day * 86400 + c.time;
}

LocalTimeType ruleAt(const PosixRule& rule, std::int64_t utc) {
    if (!rule.daylight)
        return rule.standard;
    const int year = civilTimeFromSeconds(utc + rule.standard.utcOffset).date.year;
    // Daylight time is in force from start (reached on standard time) to end (reached on
    // daylight time); the southern hemisphere's span wraps around the new year.
    const std::int64_t start = changeLocal(rule.start, year) - rule.standard.utcOffset;
    const std::int64_t end = changeLocal(rule.end, year) - rule.daylight->utcOffset;
    const bool inDst = start < end ? (utc >= start && utc < end) : (utc >= start || utc < end);
    return inDst ? *rule.daylight : rule.standard;
}

}  // namespace

std::optional<PosixRule> parsePosixTz(const std::string& tz) {
    PosixReader r(tz);
    PosixRule rule;
    std::int32_t offset = 0;
    if (!r.name(rule.standard.abbreviation) || !r.time(offset, 24))
        return std::nullopt;
    rule.standard.utcOffset = -offset;  // POSIX counts west of Greenwich
    if (r.atEnd())
        return rule;
    LocalTimeType dst;
    dst.dst = true;
    if (!r.name(dst.abbreviation))
        return std::nullopt;
    dst.utcOffset = rule.standard.utcOffset + 3600;
    if (!r.eat(',')) {
        if (!r.time(offset, 24))
            return std::nullopt;
        dst.utcOffset = -offset;
    } else {
        r.unget();
    }
    rule.daylight = dst;
    if (!r.change(rule.start) || !r.change(rule.end) || !r.atEnd())
        return std::nullopt;
    return rule;
}

bool plausibleZoneName(const std::string& name) {
    if (name.empty() || name.size() > 255 || name.front() == '/' || name.back() == '/')
        return false;
    std::stringstream parts(name);
    std::string part;
    while (std::getline(parts, part, '/')) {
        if (part.empty() || part.front() == '.')
            return false;
        for (const char c : part) {
            if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_' && c != '-' && c != '+')
                return false;
        }
    }
    return true;
}

std::optional<TimeZone> TimeZone::load(const std::filesystem::path& zoneinfo,
                                       const std::string& name, std::string& problem) {
    if (!plausibleZoneName(name)) {
        problem = "“" + name + "”不是时区名（例如 Asia/Shanghai）";
        return std::nullopt;
    }
    const std::filesystem::path file = zoneinfo / name;
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec) ||
        std::filesystem::file_size(file, ec) > kMaxFileSize) {
        problem = "时区数据库（" + zoneinfo.string() + "）中没有时区“" + name + "”";
        return std::nullopt;
    }
    std::ifstream in(file, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    auto zone = parse(bytes, problem);
    if (!zone)
        problem = "时区文件“" + file.string() + "”无法读取：" + problem;
    return zone;
}

std::optional<TimeZone> TimeZone::parse(const std::string& b, std::string& problem) {
    Counts v1{};
    if (!readCounts(b, 0, v1)) {
        problem = "不是 TZif 文件";
        return std::nullopt;
    }
    if (b[4] < '2') {
        problem = "TZif 第 1 版，没有 64 位数据";
        return std::nullopt;
    }
    const std::size_t second = kHeaderSize + v1.dataSize(4);
    Counts c{};
    if (!readCounts(b, second, c) || b.size() < second + kHeaderSize + c.dataSize(8)) {
        problem = "文件不完整";
        return std::nullopt;
    }
    TimeZone zone;
    std::size_t at = second + kHeaderSize;
    for (std::size_t i = 0; i < c.time; ++i, at += 8)
        zone.transitions_.push_back(readBigEndian(b, at, 8));
    for (std::size_t i = 0; i < c.time; ++i, ++at) {
        const auto index = static_cast<std::uint8_t>(b[at]);
        if (index >= c.type) {
            problem = "转换指向不存在的时间类型";
            return std::nullopt;
        }
        zone.typeIndex_.push_back(index);
    }
    const std::size_t charsAt = at + c.type * 6;
    for (std::size_t i = 0; i < c.type; ++i, at += 6) {
        LocalTimeType t;
        t.utcOffset = static_cast<std::int32_t>(readBigEndian(b, at, 4));
        t.dst = b[at + 4] != 0;
        const auto abbr = static_cast<std::size_t>(static_cast<unsigned char>(b[at + 5]));
        if (abbr >= c.chars || t.utcOffset <= -90000 || t.utcOffset >= 90000) {
            problem = "时间类型无效";
            return std::nullopt;
        }
        t.abbreviation = std::string(b.c_str() + charsAt + abbr,
                                     strnlen(b.c_str() + charsAt + abbr, c.chars - abbr));
        zone.types_.push_back(t);
    }
    if (!std::is_sorted(zone.transitions_.begin(), zone.transitions_.end())) {
        problem = "转换时刻未按顺序排列";
        return std::nullopt;
    }
    const std::size_t footer = second + kHeaderSize + c.dataSize(8);
    if (footer < b.size() && b[footer] == '\n') {
        const std::size_t end = b.find('\n', footer + 1);
        if (end != std::string::npos && end > footer + 1)
            zone.rule_ = parsePosixTz(b.substr(footer + 1, end - footer - 1));
    }
    return zone;
}

std::optional<TimeZone> TimeZone::fromPosix(const std::string& tz) {
    auto rule = parsePosixTz(tz);
    if (!rule)
        return std::nullopt;
    TimeZone zone;
    zone.types_.push_back(rule->standard);
    zone.rule_ = rule;
    return zone;
}

LocalTimeType TimeZone::at(std::int64_t utc) const {
    const auto it = std::upper_bound(transitions_.begin(), transitions_.end(), utc);
    if (it == transitions_.begin()) {
        if (transitions_.empty() && rule_)
            return ruleAt(*rule_, utc);
        return types_.front();  // before the first transition: type 0 (RFC 8536, 3.2)
    }
    if (it == transitions_.end() && rule_)
        return ruleAt(*rule_, utc);
    return types_[typeIndex_[static_cast<std::size_t>(it - transitions_.begin() - 1)]];
}

std::vector<std::int64_t> TimeZone::fromLocal(std::int64_t local) const {
    // Every offset the zone ever used is a candidate; an instant counts when the zone really
    // had that offset then.
    std::set<std::int32_t> offsets;
    for (const LocalTimeType& t : types_)
        offsets.insert(t.utcOffset);
    if (rule_) {
        offsets.insert(rule_->standard.utcOffset);
        if (rule_->daylight)
            offsets.insert(rule_->daylight->utcOffset);
    }
    std::vector<std::int64_t> found;
    for (const std::int32_t offset : offsets) {
        const std::int64_t utc = local - offset;
        if (at(utc).utcOffset == offset)
            found.push_back(utc);
    }
    std::sort(found.begin(), found.end());
    return found;
}

std::int32_t TimeZone::standardOffset(std::int64_t utc) const {
    const LocalTimeType now = at(utc);
    if (!now.dst)
        return now.utcOffset;
    if (rule_ && rule_->daylight && (transitions_.empty() || utc >= transitions_.back()))
        return rule_->standard.utcOffset;
    // The standard time that daylight saving was added to: the last type before it without it.
    auto it = std::upper_bound(transitions_.begin(), transitions_.end(), utc);
    while (it != transitions_.begin()) {
        --it;
        const LocalTimeType& t = types_[typeIndex_[static_cast<std::size_t>(it - transitions_.begin())]];
        if (!t.dst)
            return t.utcOffset;
    }
    for (const LocalTimeType& t : types_) {
        if (!t.dst)
            return t.utcOffset;
    }
    return now.utcOffset - 3600;
}

}  // namespace muwu::calendar
