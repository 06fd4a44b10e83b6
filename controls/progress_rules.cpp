#include "controls/progress_rules.h"

#include <cmath>
#include <cstdlib>
#include <limits>

namespace muwu {

std::int32_t toInt32(double v) noexcept {
    if (!std::isfinite(v))
        return 0;
    const double r = std::nearbyint(v);
    if (r >= static_cast<double>(std::numeric_limits<std::int32_t>::max()))
        return std::numeric_limits<std::int32_t>::max();
    if (r <= static_cast<double>(std::numeric_limits<std::int32_t>::min()))
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(r);
}

std::int32_t ProgressState::Value() const noexcept {
    return toInt32(value);
}

double readNumber(const std::string& caption) noexcept {
    const char* begin = caption.c_str();
    char* end = nullptr;
    const double v = std::strtod(begin, &end);
    if (end == begin || !std::isfinite(v))
        return 0;
    return v;
}

namespace {

void draw(ProgressState& s) {
    if (s.maximum == 0)
        return;
    s.red.x2 = static_cast<float>(s.width - 30) / static_cast<float>(s.maximum) *
               static_cast<float>(s.value);
    s.white.x2 = s.red.x2 >= s.white.x1 ? s.red.x2 : s.white.x1;
    s.events.push_back(ProgressEvent::Draw);
}

}  // namespace

void checkAndDraw(ProgressState& s) {
    const double v = s.value;
    if (v > s.maximum) {
        writeMax(s, toInt32(v));
        draw(s);
        return;
    }
    if (v < s.minimum) {
        writeMin(s, toInt32(v));
        draw(s);
        return;
    }
    if (s.maximum == s.minimum) {
        draw(s);
        return;
    }
    draw(s);
    s.events.push_back(ProgressEvent::Change);
}

void writeMax(ProgressState& s, std::int32_t m) {
    s.maximum = m;
    if (m < s.minimum)
        writeMin(s, m);
    if (s.value > m)
        writeValue(s, m);
    checkAndDraw(s);
}

void writeMin(ProgressState& s, std::int32_t m) {
    s.minimum = m;
    if (s.maximum < m)
        s.maximum = m;
    if (!(s.value >= m))
        writeValue(s, m);
    checkAndDraw(s);
}

void writeValue(ProgressState& s, double v) {
    s.value = v;
    checkAndDraw(s);
}

void resize(ProgressState& s, std::int32_t widthTwips) {
    s.width = widthTwips;
    s.red.x2 = static_cast<float>(widthTwips - 15);
    s.white.x2 = static_cast<float>(widthTwips - 30);
    checkAndDraw(s);
}

}  // namespace muwu
