#pragma once
// What the naming engine and the search may propose: characters of the name table (a company:
// the trade-name table), of its first tier unless both are asked for, none leaning against the
// chosen gender, and names the sound rules let through. No Qt.
#include <string_view>

#include "lexicon/name_tables.h"
#include "names/char_data.h"
#include "naming/engine.h"
#include "naming/word_list.h"

namespace muwu {

struct DrawOptions {
    Gender gender = Gender::any;  // a person's; a company has none
    bool allTiers = false;        // both tiers of the table
    bool allChars = false;        // every listed character, whatever the tables say
};

// Whether c may be proposed: in the table (name table for a person, trade-name table for a
// company) at an asked tier, or any character when anyCharacter; for a person, not leaning
// against the gender.
[[nodiscard]] bool characterAdmitted(char16_t c, bool company, Gender gender, bool allTiers,
                                     bool anyCharacter);

// The engine's pools narrowed to the admitted characters.
[[nodiscard]] PoolSource admittedPools(PoolSource lists, const DrawOptions& options, bool company);

// Whether a generated part may stand between prefix and suffix: every character admitted and
// the sound rules kept (the prefix read as a surname unless it is empty, a company's).
[[nodiscard]] bool drawFits(const DrawOptions& options, std::u16string_view prefix,
                            std::u16string_view generated, std::u16string_view suffix);

// The words of the list whose four pairs (first and third, second and fourth, first two, last
// two characters) each may stand between prefix and suffix.
[[nodiscard]] WordList fittingWords(const WordList& words, const DrawOptions& options,
                                    std::u16string_view prefix, std::u16string_view suffix);

// The engine's rules for these options over the plain stroke lists, with the editors' names that
// go together whose gender and characters the options admit as pairs; attributeOf gives a
// character's attribute as the lists do (attributesOf), which a supply set on the rules needs.
[[nodiscard]] DrawRules tableDrawRules(PoolSource lists, const DrawOptions& options,
                                       std::function<std::u16string(char16_t)> attributeOf = {});

// A character's attribute as the data's stroke lists give it, for DrawRules::attributeOf.
[[nodiscard]] std::function<std::u16string(char16_t)> attributesOf(CharacterData& data);

}  // namespace muwu
