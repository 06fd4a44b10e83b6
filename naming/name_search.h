#pragma once
// Every given name for a surname, ranked: judged once per combination of stroke counts (the grid
// numbers depend on nothing else) and expanded to characters only as far as the list shown needs.
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "lexicon/name_tables.h"
#include "names/analysis.h"
#include "names/sancai.h"
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
    std::u16string suffix;        // company: the text after the generated part
    std::size_t top = 50;         // how many names to list
    Gender gender = Gender::any;  // a person's: characters leaning the other way are left out
    // Characters of both tiers of the name (or trade-name) table, not only the first. A pool of
    // every listed character (PoolKind::allListed) takes any character whatever this says.
    bool allTiers = false;
    // Only names whose 三才 is of this class or better (吉 > 平 > 凶); a name without 三才 never
    // qualifies. A company name has no 三才: the option does not apply to it.
    std::optional<SancaiClass> sancaiAtLeast;
    // The elements the given name is wanted to bring, as attributes (金木水火土, any order, none
    // twice; empty: none wanted). A preference of the order, never a filter.
    std::u16string supply;
};

struct SearchHit {
    std::size_t rank = 0;  // from 1
    Analysis analysis;
    bool acceptable = false;  // no 凶 in a grid the naming engine tests
    std::u16string pinyin;    // with tone marks, the surname read as a surname
    // The meaning of each character the search chose (the given name; for a company the part
    // between prefix and suffix), from the name table (a company: the trade-name table first);
    // empty where neither table has one.
    std::vector<CharacterMeaning> meanings;
};

struct SearchResult {
    std::size_t total = 0;  // every qualifying name, listed or not
    std::vector<SearchHit> hits;
};

// A generated part of a name, one or two characters: small enough to hold a million of.
struct GivenName {
    std::array<char16_t, 2> chars{};
    std::uint8_t length = 0;
    [[nodiscard]] std::u16string_view view() const noexcept { return {chars.data(), length}; }
};

// Why options cannot be searched, in words for the user; empty when they can.
[[nodiscard]] std::string searchOptionsProblem(const SearchOptions& options);

// How each found name is analysed: the surname as given (never re-split by the double-surname
// list), personal or company. analyseName with these options gives every hit's analysis.
[[nodiscard]] AnalysisOptions searchAnalysisOptions(const SearchOptions& options);

// The full text of a name for a generated part.
[[nodiscard]] std::u16string searchedName(const SearchOptions& options, std::u16string_view given);

// One search in steps. Construction judges every combination of stroke counts and counts the
// names; the listed names are then chosen one group of equal rank key (score, acceptance, 三才) at
// a time, as bare characters, and analysed one at a time only when asked. So a caller can write
// each name as it comes, holding no list of analyses however long the list or the names.
//
// Candidates: the characters of the pool that the options admit (the table's first tier, or
// both tiers; any character of a pool of every listed character; none leaning against the
// chosen gender), and only names the sound rules let through (judgeSound). A kept character
// is the family's choice: it needs no table, and what it does with the surname alone is not
// judged; what it does with the chosen character is.
//
// Order:
//  1. score, highest first;
//  2. names the naming engine would accept first;
//  3. a better 三才 first (吉, 平, 凶, then none);
//  4. names bringing more of the wanted elements first (suppliedCount of the given name's
//     attributes, a kept character's included);
//  5. name quality, lower first (nameQuality);
//  6. variety: among names equal so far, a name holding a character already used twice (at a
//     chosen place) in the names listed so far gives way to the others; of those held back,
//     names whose characters are used fewer than 4 times come next, then 8, and so on;
//  7. a fixed shuffle of the characters, first character before second, which depends on the
//     surname (and a company's suffix) alone: every run gives the same list, but surnames of
//     the same stroke count do not all begin with the same characters.
class NameSearch {
  public:
    // Options must be sound (searchOptionsProblem empty); data and pool must outlive the search.
    // The data files are checked for changes once, here: every name is judged on the same data.
    NameSearch(CharacterData& data, const std::vector<PoolCharacter>& pool,
               const SearchOptions& options);
    ~NameSearch();
    NameSearch(const NameSearch&) = delete;
    NameSearch& operator=(const NameSearch&) = delete;

    [[nodiscard]] std::size_t total() const noexcept;   // every qualifying name
    [[nodiscard]] std::size_t listed() const noexcept;  // how many are listed: top, or fewer

    // The names of the next group to list, best first, in place of what names held; false once
    // every listed name has been given.
    bool nextGroup(std::vector<GivenName>& names);

    // What is listed for a chosen name.
    [[nodiscard]] SearchHit hit(const GivenName& given, std::size_t rank) const;

    // Every listed name in rank order, each analysed just before visit sees it; stops early when
    // visit returns false.
    void forEachHit(const std::function<bool(const SearchHit&)>& visit);

  private:
    struct State;
    std::unique_ptr<State> state_;
};

// The whole list at once, for lists short enough to show.
[[nodiscard]] SearchResult searchNames(CharacterData& data, const std::vector<PoolCharacter>& pool,
                                       const SearchOptions& options);

// True when the naming engine would accept a name with this analysis.
[[nodiscard]] bool engineAccepts(const Analysis& a);

// The name-quality measure of the order, lower is better: for each chosen character of the
// given name 0 in the table's first tier, 2 in the second, 3 plus its commonness level outside
// the table (a person's name table, a company's trade-name table); plus soundPenalty; plus 2
// when no gender was asked and one character leans male, another female (伟婷).
[[nodiscard]] int nameQuality(const SearchOptions& options, std::u16string_view given);

// The place of character c at place p (0 or 1) of the given name in the shuffle of the order's
// last step: earlier first.
[[nodiscard]] std::uint64_t shuffleOrder(const SearchOptions& options, int place, char16_t c);

// Whether the options admit c at a place of the given name that the user did not fix.
[[nodiscard]] bool searchAdmits(const SearchOptions& options, const PoolCharacter& c);

// What a name shows beside its analysis: its pinyin (a person's surname read as a surname), and
// the meanings of its given-name characters (a company: of every character, from the trade-name
// table).
[[nodiscard]] std::u16string pinyinOf(const Analysis& a);
[[nodiscard]] std::vector<CharacterMeaning> meaningsOf(const Analysis& a);

}  // namespace muwu
