#pragma once
// The rules of the horizontal progress bar without any drawing: the check-and-draw routine, the
// writes of max, Min and Value, and where the two strokes end. A value outside the range widens
// the range instead of being refused. Lengths are in twips.
#include <cstdint>
#include <string>
#include <vector>

namespace muwu {

struct ProgressLine {
    float x1 = 30, y1 = 15, x2 = 2670, y2 = 15;
};

// What a rule asked of the control, in order: a repaint of the strokes, or the Change event.
enum class ProgressEvent { Draw, Change };

struct ProgressState {
    std::int32_t maximum = 0;
    std::int32_t minimum = 0;
    // The caption of the value label, read as a number.
    double value = 0;
    ProgressLine red;    // the filled part, 3 pixels wide
    ProgressLine white;  // the thin line over it
    std::int32_t width = 2700;
    std::vector<ProgressEvent> events;

    // Value as read: the caption rounded to the nearest integer, ties to even.
    [[nodiscard]] std::int32_t Value() const noexcept;
};

// Twips of the control's height, whatever it is given.
inline constexpr std::int32_t kProgressHeight = 45;

void checkAndDraw(ProgressState& s);
void writeMax(ProgressState& s, std::int32_t m);
void writeMin(ProgressState& s, std::int32_t m);
// The caption changes to the value, which runs the check-and-draw routine.
void writeValue(ProgressState& s, double v);
void resize(ProgressState& s, std::int32_t widthTwips);

// A number the way the value label is read: optional blanks, sign and decimals; anything that is
// not a number reads as 0.
[[nodiscard]] double readNumber(const std::string& caption) noexcept;

// A double converted to a 32-bit integer, nearest, ties to even, clamped to the range.
[[nodiscard]] std::int32_t toInt32(double v) noexcept;

}  // namespace muwu
