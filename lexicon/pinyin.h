#pragma once
// How characters and names are read: a syllable and its tone for every listed character, from
// the tables carried in the program (resources/*.tsv). No Qt.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace muwu {

// A syllable without its tone, as a small number; 0 stands for none (no reading known).
using SyllableId = std::uint16_t;
inline constexpr SyllableId kNoSyllable = 0;

struct Reading {
    SyllableId syllable = kNoSyllable;
    std::uint8_t tone = 0;  // 1 to 4, 5 for the neutral tone; 0 with no syllable
    [[nodiscard]] bool known() const noexcept { return syllable != kNoSyllable; }
    friend bool operator==(const Reading&, const Reading&) = default;
};

// "zhāng" as {zhang, 1}, "ma" as {ma, 5}: one syllable of lower-case pinyin with at most one
// tone mark (precomposed or combining); nullopt for anything else.
[[nodiscard]] std::optional<Reading> parseReading(std::u16string_view marked);

// The syllable written without tone in ASCII, ü as v ("zhang", "lv"); kNoSyllable when no table
// holds it.
[[nodiscard]] SyllableId syllableOf(std::string_view plain);
[[nodiscard]] std::string_view syllableText(SyllableId id);

// How many syllable numbers there are: every SyllableId is below this.
[[nodiscard]] std::size_t syllableCount();

// The reading written with its tone mark, as the tables write it ("zhāng"); empty when unknown.
[[nodiscard]] std::u16string_view markedReading(Reading r);

// 平 (tones 1 and 2) or 仄 (3 and 4); neither for the neutral tone or an unknown reading.
enum class ToneClass { none, level, oblique };
[[nodiscard]] ToneClass toneClass(Reading r) noexcept;

// The initial consonant ("zh", "b"; "y" and "w" count as initials) and the rhyme without a
// medial ("ang" for yang, wang, xiang and fang), as numbers: equal numbers, equal sounds.
// 0 for none.
[[nodiscard]] std::uint16_t initialOf(SyllableId id);
[[nodiscard]] std::uint16_t rhymeOf(SyllableId id);

// A character's reading: the name table's, else the trade-name table's, else Unihan's first
// (kMandarin). Unknown for a character none of them holds.
[[nodiscard]] Reading readingOf(char16_t c);

// A surname's readings, one per character: a whole entry of the surname readings (欧阳 ōu yáng,
// 单于 chán yú), else each character's surname reading (单 shàn), else readingOf.
[[nodiscard]] std::vector<Reading> surnameReadings(std::u16string_view surname);

// Pinyin with tone marks, one syllable per character separated by spaces: "zhāng sān fēng".
// The surname is read as a surname; a character without a reading stands as itself.
[[nodiscard]] std::u16string namePinyin(std::u16string_view surname, std::u16string_view rest);
void appendNamePinyin(std::u16string& out, std::u16string_view surname, std::u16string_view rest);

}  // namespace muwu
