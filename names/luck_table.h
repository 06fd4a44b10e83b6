#pragma once
// The luck table: 81 entries, 0 empty and 1…80 each six lines joined by CR LF, the last line being
// the class marker. Also the class tests and colours that read it.
#include <cstdint>
#include <string_view>

namespace muwu {

inline constexpr int kLuckEntries = 80;

// Colours as 0xBBGGRR, red in the low byte.
using Colour = std::uint32_t;
[[nodiscard]] constexpr Colour rgb(int r, int g, int b) noexcept {
    return static_cast<Colour>(r) + 256u * static_cast<Colour>(g) + 65536u * static_cast<Colour>(b);
}
inline constexpr Colour kRed = rgb(255, 0, 0);
inline constexpr Colour kGreen = rgb(0, 128, 0);

// Entry n for 0…80; the empty text for 0 and for anything out of range.
[[nodiscard]] std::u16string_view luckEntry(int n) noexcept;

inline constexpr std::u16string_view kGreatLuckMarker = u"（大吉）";
inline constexpr std::u16string_view kLuckMarker = u"（吉）";
inline constexpr std::u16string_view kMisfortuneMarker = u"（凶）";

enum class LuckClass { none, greatLuck, luck, misfortune };

// Which markers a text holds, as bits; one pass over the text answers every class test.
enum Marker : unsigned { kHasGreatLuck = 1, kHasLuck = 2, kHasMisfortune = 4 };
[[nodiscard]] unsigned markersOf(std::u16string_view text) noexcept;
[[nodiscard]] unsigned entryMarkers(int n) noexcept;  // markersOf(luckEntry(n)), known in advance
[[nodiscard]] LuckClass classOfMarkers(unsigned markers) noexcept;
[[nodiscard]] Colour colourOfMarkers(unsigned markers) noexcept;

// A text is of a class when it holds that class's marker anywhere; 大吉 is tested first, and
// "（大吉）" does not contain "（吉）".
[[nodiscard]] LuckClass classOf(std::u16string_view text) noexcept;
[[nodiscard]] std::u16string_view className(LuckClass c) noexcept;  // "大吉", "吉", "凶", or empty

// Entry index of a grid number: reduced modulo 80 when the total is above 80, and also when the
// number alone is above 80 (only 外格 can be, with characters in no list), which has no entry.
[[nodiscard]] constexpr int entryIndexFor(long long number, long long total) noexcept {
    if (total > 80 || number > 80)
        return static_cast<int>(number % 80);
    return static_cast<int>(number);
}

// Red exactly for a text holding "（凶）"; green for every other, the empty text included.
[[nodiscard]] Colour gridColour(std::u16string_view text) noexcept;

}  // namespace muwu
