#pragma once
// Number text as the analysis keeps it in its captions, and the score arithmetic on it.
#include <optional>
#include <string>
#include <string_view>

#include "names/luck_table.h"

namespace muwu {

// The leading decimal number of a caption ("12", "99.8", " -3e2x"); nullopt when it starts with
// none, as the captions "评分" or "天格笔画数" do before the first analysis.
[[nodiscard]] std::optional<double> leadingNumber(std::u16string_view text) noexcept;

// Same, with a caption that holds no number read as 0.
[[nodiscard]] double numberOf(std::u16string_view text) noexcept;

// Shortest decimal text of v to 15 significant digits, without trailing zeros or exponent in the
// range scores and grid numbers reach: 100, 99.83, 80.8623, 59.049.
[[nodiscard]] std::u16string numberText(double v);

// Rounded to one decimal place, halves to the even neighbour.
[[nodiscard]] double roundToTenth(double v) noexcept;

inline constexpr double kLuckFactor = 0.9983;
inline constexpr double kMisfortuneFactor = 0.9;

// One step of the personal score: the score times the factors a grid text's markers call for, each
// product passing through its caption text as the analysis does.
[[nodiscard]] std::u16string scoreStep(std::u16string_view score, std::u16string_view gridText);
// The same step from the markers of the grid text (see markersOf).
[[nodiscard]] std::u16string scoreStepByMarkers(std::u16string_view score, unsigned markers);

// Company score from the total's class alone: "100", "85", "50", or empty for none.
[[nodiscard]] std::u16string_view companyScoreOf(LuckClass total) noexcept;
// The same from the total's text, or nullopt (keep the previous).
[[nodiscard]] std::optional<std::u16string> companyScore(std::u16string_view totalText);

// The final rounding of a score caption; a caption that holds no number is kept as it is.
[[nodiscard]] std::u16string roundedScore(std::u16string_view score);

}  // namespace muwu
