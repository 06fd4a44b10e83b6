#pragma once
// The parts of the search's order that its walk shares with nameQuality: which tier a character
// has for the options, and what that tier costs a name.
#include "lexicon/name_tables.h"
#include "naming/name_search.h"

namespace muwu {

// The character's tier in the table the options draw from (a company: the trade-name table);
// 0 when that table does not hold it.
[[nodiscard]] int tierOf(const SearchOptions& options, const NameCharacter* name,
                         const FirmCharacter* firm);

// A chosen character's share of the name quality: 0 in the first tier, 2 in the second, 3 plus
// its commonness level outside the table.
[[nodiscard]] int characterPenalty(int tier, int commonness) noexcept;

}  // namespace muwu
