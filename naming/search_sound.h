#pragma once
// The sound rules and preference (lexicon/sound_rules.h) made fast for one search, whose
// surname, prefix and suffix never change: what a chosen character breaks by itself, what two
// break together, and the penalty of a name, each from the readings alone. The search's count
// works on syllables, so the pairs of syllables that sound ill are given as a list too.
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "lexicon/pinyin.h"
#include "naming/name_search.h"

namespace muwu {

class SearchSound {
  public:
    explicit SearchSound(const SearchOptions& options);

    // True when the character at place p (0 or 1) of the given name, chosen, breaks a rule
    // with the surname, prefix or suffix alone, whatever the other place holds.
    [[nodiscard]] bool breaksAlone(int p, Reading r) const;

    // True when the two characters of a two-character given name break a rule together.
    [[nodiscard]] bool breaksTogether(char16_t c1, Reading r1, char16_t c2, Reading r2) const {
        if (oneTone_ && r1.known() && r2.known() && r1.tone == *oneTone_ && r2.tone == *oneTone_)
            return true;
        if (r1.known() && r2.known() && badPair(r1.syllable, r2.syllable))
            return true;
        return r1.known() && r1.syllable == r2.syllable && c1 != c2;
    }

    // soundPenalty of the name; r2 and c2 unused for a one-character given name.
    [[nodiscard]] int penalty(char16_t c1, Reading r1, char16_t c2, Reading r2) const;

    // The tone every fixed syllable has when a two-character given name on it too would put
    // the whole name on one tone.
    [[nodiscard]] std::optional<std::uint8_t> oneTone() const noexcept { return oneTone_; }

    // Pairs of syllables (first, second place) that sound like an ill word with the fixed text.
    [[nodiscard]] const std::vector<std::pair<SyllableId, SyllableId>>& badPairs() const noexcept {
        return badPairs_;
    }
    [[nodiscard]] bool badPair(SyllableId x, SyllableId y) const {
        return bad_[static_cast<std::size_t>(x) * width_ + y];
    }

  private:
    int length_;
    std::optional<int> kept_;  // the place (0 or 1) the user fixed
    std::vector<Reading> before_, after_;
    std::optional<std::uint8_t> oneTone_;     // for two chosen places
    std::optional<std::uint8_t> aloneTone_;   // for one: the name's tone when all fixed agree
    ToneClass fixedClass_ = ToneClass::none;  // the 平仄 all fixed syllables share, if any
    bool fixedClassShared_ = false;
    std::vector<std::vector<bool>> aloneBad_;  // [place][syllable]
    std::vector<std::pair<SyllableId, SyllableId>> badPairs_;
    std::vector<bool> bad_;
    std::size_t width_ = 0;

    [[nodiscard]] bool chosen(int p) const noexcept { return !kept_ || *kept_ != p; }
    [[nodiscard]] int neighbours(Reading a, Reading b) const;
};

}  // namespace muwu
