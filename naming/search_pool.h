#pragma once
// The characters a name search draws from, each with what the ranking needs: its stroke count
// and attribute as the analysis looks them up, how common it is, its reading, and what the name
// and trade-name tables say of it.
#include <string>
#include <vector>

#include "lexicon/name_tables.h"
#include "names/char_data.h"

namespace muwu {

// How common a character is, from its place in the national character sets: 1 for the 3,755
// everyday characters of GB2312 level 1, 2 for the 3,008 of level 2, 3 for every other GBK
// character. Lower is more common.
inline constexpr int kCommonnessLevels = 3;

struct PoolCharacter {
    char16_t c = 0;
    int strokes = 0;           // as the analysis counts it
    std::u16string attribute;  // zero or one character
    int commonness = kCommonnessLevels;
    Reading reading;
    const NameCharacter* name = nullptr;  // null when the name table does not hold it
    const FirmCharacter* firm = nullptr;  // null when the trade-name table does not hold it
    // From a pool of every listed character: it may be used whatever the tables say.
    bool anyCharacter = false;
};

enum class PoolKind {
    tables,     // the characters of the name and trade-name tables
    allListed,  // every character of the stroke lists
};

// Ordered by commonness, then code; one entry per character. Built from the stroke lists as they
// are now; cheap enough to build once per search window or command.
[[nodiscard]] std::vector<PoolCharacter> searchPool(CharacterData& data, PoolKind kind);

// The level of a character, see kCommonnessLevels.
[[nodiscard]] int gb2312Level(char16_t c);

}  // namespace muwu
