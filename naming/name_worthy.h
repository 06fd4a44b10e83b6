#pragma once
// The characters the naming engine proposes unless every listed character is asked for: the
// everyday characters (GB2312 level 1) without those of ill omen, grammatical particles and bare
// radicals. tools/gen_name_worthy.py writes them into resources/name_worthy.txt, which is
// compiled in; the stroke lists themselves keep every character. No Qt.
#include <functional>
#include <string>
#include <string_view>

namespace muwu {

[[nodiscard]] bool isNameWorthy(char16_t c) noexcept;

// Every name-worthy character, in GB2312 order.
[[nodiscard]] const std::u16string& nameWorthyCharacters() noexcept;

// The name-worthy characters of a pool, in the pool's order.
[[nodiscard]] std::u16string nameWorthyOnly(std::u16string_view pool);

// A pool source that serves only the name-worthy characters of the one it wraps. A pool left
// empty by the filter stays empty: the engine then draws no character for that place.
[[nodiscard]] std::function<std::u16string(int strokes)> nameWorthyPools(
    std::function<std::u16string(int strokes)> pools);

}  // namespace muwu
