#pragma once
// The tables carried in the program, parsed once on first use. Inside the lexicon only: the
// public headers give the lookups.
#include <array>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "lexicon/name_tables.h"
#include "lexicon/pinyin.h"
#include "lexicon/sound_rules.h"

namespace muwu::lexicon {

struct Tables {
    // Syllables: text, initial and rhyme numbers, and the written form of each (syllable, tone).
    std::vector<std::string> syllables{""};
    std::unordered_map<std::string, SyllableId> syllableIds;
    std::vector<std::uint16_t> initials{0}, rhymes{0};
    std::vector<std::u16string> marked;  // by syllable << 3 | tone

    std::vector<Reading> unihan = std::vector<Reading>(0x10000);  // by character
    std::vector<NameCharacter> names;
    std::vector<FirmCharacter> firms;
    std::vector<std::uint16_t> nameIndex = std::vector<std::uint16_t>(0x10000);  // 1 + position
    std::vector<std::uint16_t> firmIndex = std::vector<std::uint16_t>(0x10000);
    std::vector<Reading> singleSurnames = std::vector<Reading>(0x10000);       // unknown: none
    std::unordered_map<std::uint32_t, std::array<Reading, 2>> doubleSurnames;  // c1 << 16 | c2
    std::vector<NamePair> pairs;  // sorted by first, then second character
    std::vector<std::array<std::uint16_t, 2>> pairPlaces =
        std::vector<std::array<std::uint16_t, 2>>(0x10000);  // by character: starts, ends
    std::vector<IllWord> illWords;
    std::vector<std::vector<std::size_t>> illWordsByFirst;  // by first syllable: indices

    [[nodiscard]] SyllableId find(const std::string& plain) const;
};

[[nodiscard]] const Tables& tables();

}  // namespace muwu::lexicon
