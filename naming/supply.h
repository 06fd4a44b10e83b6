#pragma once
// The elements (五行) a name is wanted to bring, as a parent picks them from a birth chart: how
// many of them a name's characters bring. No Qt.
#include <string>
#include <string_view>

namespace muwu {

// The five attributes as the stroke lists write them, in the order charts list them.
inline constexpr std::u16string_view kSupplyElements = u"金木水火土";

// Why a text cannot name wanted elements (a character other than 金木水火土, or one twice), in
// words for the user; empty when it can. An empty text wants nothing.
[[nodiscard]] std::string supplyProblem(std::u16string_view supply);

// How many of the wanted elements the attributes bring, each counted once (金金 brings one).
[[nodiscard]] int suppliedCount(std::u16string_view supply,
                                std::u16string_view attributes) noexcept;

// The place (1 to 5) of an attribute among the wanted elements' kinds, 0 when it is not wanted:
// two characters bring as many wanted elements as their distinct non-zero places.
[[nodiscard]] int supplyGroup(std::u16string_view supply, std::u16string_view attribute) noexcept;

}  // namespace muwu
