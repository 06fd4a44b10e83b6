#pragma once
// Every given name for a surname, ranked: judged once per combination of stroke counts (the grid
// numbers depend on nothing else) and expanded to characters only as far as the list shown needs.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "names/analysis.h"
#include "naming/search_pool.h"

namespace muwu {

struct SearchOptions {
    std::u16string surname;  // for a company: the text before the generated part, may be empty
    int givenLength = 2;     // 1 or 2 characters generated
    std::optional<char16_t> keep;  // a character the given name must hold …
    int keepAt = 1;                // … at this position (1 or 2)
    std::u16string exclude;        // characters never used
    std::u16string attributes;     // wanted attributes of the generated characters, in order
    std::optional<double> minScore;
    bool company = false;
    std::u16string suffix;  // company: the text after the generated part
    std::size_t top = 50;   // how many names to list
};

struct SearchHit {
    std::size_t rank = 0;  // from 1
    Analysis analysis;
    bool acceptable = false;  // no 凶 in a grid the naming engine tests
};

struct SearchResult {
    std::size_t total = 0;  // every qualifying name, listed or not
    std::vector<SearchHit> hits;
};

// Why options cannot be searched, in words for the user; empty when they can.
[[nodiscard]] std::string searchOptionsProblem(const SearchOptions& options);

// How each found name is analysed: the surname as given (never re-split by the double-surname
// list), personal or company. analyseName with these options gives every hit's analysis.
[[nodiscard]] AnalysisOptions searchAnalysisOptions(const SearchOptions& options);

// The full text of a name for a generated part.
[[nodiscard]] std::u16string searchedName(const SearchOptions& options, std::u16string_view given);

// Ranked by score, highest first; among equal scores names the naming engine would accept
// first; then the more common characters (lower sum of commonness levels); then code order.
// Options must be sound (searchOptionsProblem empty).
[[nodiscard]] SearchResult searchNames(CharacterData& data, const std::vector<PoolCharacter>& pool,
                                       const SearchOptions& options);

// True when the naming engine would accept a name with this analysis.
[[nodiscard]] bool engineAccepts(const Analysis& a);

}  // namespace muwu
