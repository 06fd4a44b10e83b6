#pragma once
// What the program knows about a name character: the table of characters parents give (reading,
// tier, gender lean, meaning) and the table of characters firms use in trade names. Both are
// editorial data carried in the program (resources/name_chars.tsv, resources/firm_chars.tsv).
// No Qt.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "lexicon/pinyin.h"

namespace muwu {

// The way parents use a character.
enum class Lean : std::uint8_t { neutral, male, female };

// The gender a user asks names for.
enum class Gender : std::uint8_t { any, male, female };

// Tiers of the tables: 1 commonly chosen and of clearly good sense, 2 acceptable.
inline constexpr int kTopTier = 1;
inline constexpr int kLastTier = 2;

struct NameCharacter {
    char16_t c = 0;
    Reading reading;
    int tier = kLastTier;
    Lean lean = Lean::neutral;
    std::u16string meaning;
};

struct FirmCharacter {
    char16_t c = 0;
    Reading reading;
    int tier = kLastTier;
    std::u16string meaning;
};

// A two-character given name of the editors' list of names that go together
// (resources/name_pairs.tsv); its gender as a lean: male for 男, female for 女.
struct NamePair {
    char16_t first = 0, second = 0;
    Lean gender = Lean::neutral;
};

// The entry of a character, or null when the table does not hold it.
[[nodiscard]] const NameCharacter* nameCharacter(char16_t c);
[[nodiscard]] const FirmCharacter* firmCharacter(char16_t c);

// Every entry, in the table's order (code point).
[[nodiscard]] const std::vector<NameCharacter>& nameCharacters();
[[nodiscard]] const std::vector<FirmCharacter>& firmCharacters();

// Every listed name, sorted by first, then second character; the entry of one, or null.
[[nodiscard]] const std::vector<NamePair>& namePairs();
[[nodiscard]] const NamePair* namePair(char16_t first, char16_t second);

// How many listed names hold c at place 0 (first) or 1 (second) of the given name.
[[nodiscard]] int pairPlaceCount(char16_t c, int place);

// The share of the name quality for c at place 0 or 1 of a two-character given name: 1 when
// the listed names hold c at least twice and fewer than one in five of them at this place (涛
// ends names, 子 begins them), else 0.
[[nodiscard]] int placePenalty(char16_t c, int place);

// False when a character leaning one way is offered for the other gender.
[[nodiscard]] constexpr bool suits(Lean lean, Gender gender) noexcept {
    return !((gender == Gender::male && lean == Lean::female) ||
             (gender == Gender::female && lean == Lean::male));
}

// "男", "女", "不限" (or empty) as a gender; nullopt for anything else.
[[nodiscard]] std::optional<Gender> parseGender(std::u16string_view text);
[[nodiscard]] std::u16string_view genderText(Gender gender) noexcept;

// The meaning of a character in a given name (the name table first) or in a trade name (the
// trade-name table first); empty when neither table holds it.
[[nodiscard]] std::u16string_view meaningOf(char16_t c, bool company);

struct CharacterMeaning {
    char16_t c = 0;
    std::u16string_view meaning;  // empty when the table has none
};

// One entry per character of chars, in order.
[[nodiscard]] std::vector<CharacterMeaning> meaningsOf(std::u16string_view chars, bool company);

// The characters whose meanings a name shows: the given name of a person; every character of a
// company's name, since the generated part cannot be told from the rest.
[[nodiscard]] std::u16string_view meaningfulPart(std::u16string_view name,
                                                 std::u16string_view given, bool company);

}  // namespace muwu
