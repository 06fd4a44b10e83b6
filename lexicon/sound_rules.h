#pragma once
// How a proposed name sounds. Three rules refuse a name: every syllable on one tone, a stretch
// that sounds like an ill word (resources/ill_sounds.tsv), a syllable repeated by accident. A
// preference ranks what the rules let through. No Qt.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "lexicon/pinyin.h"

namespace muwu {

struct IllWord {
    std::u16string word;
    std::vector<SyllableId> sounds;  // one per character, tones aside
};

// The ill-sounding words, as the table lists them.
[[nodiscard]] const std::vector<IllWord>& illWords();

// A whole name as it sounds, and which of its characters the program chose: the rules judge
// only what was chosen. A character the user fixed inside the given name (a generation
// character) is part of the given name but not chosen.
struct NameSound {
    std::u16string chars;
    std::vector<Reading> readings;  // one per character
    std::size_t givenBegin = 0, givenEnd = 0;
    std::optional<std::size_t> fixedInGiven;  // index into chars
    [[nodiscard]] bool chosen(std::size_t i) const noexcept {
        return i >= givenBegin && i < givenEnd && i != fixedInGiven;
    }
};

// The sound of before + given + after: before read as a surname for a person, every other
// character by readingOf.
[[nodiscard]] NameSound nameSound(std::u16string_view before, std::u16string_view given,
                                  std::u16string_view after, bool person);

enum class SoundFault {
    none,
    oneTone,           // three or more syllables, every one on the same tone (刘琼涵)
    illWord,           // sounds like an ill word at a chosen character (吴雨: 无语)
    repeatedSyllable,  // a chosen character repeats a syllable of the name (李丽, 张章), except
                       // the same character twice in the given name (婷婷)
};

struct SoundVerdict {
    SoundFault fault = SoundFault::none;
    const IllWord* word = nullptr;  // for illWord
    [[nodiscard]] bool ok() const noexcept { return fault == SoundFault::none; }
};

// The first rule the name breaks, in the order above; none when it breaks none or chooses
// nothing.
[[nodiscard]] SoundVerdict judgeSound(const NameSound& sound);

// A person's name, every given-name character chosen.
[[nodiscard]] SoundVerdict judgeName(std::u16string_view surname, std::u16string_view given);

// What the rules do not refuse but a parent hears, lower is better, each counting 1: all
// syllables level (平) or all oblique (仄), three or more of them; and for each two neighbours
// of which one is chosen, the same initial (双声) or the same rhyme (叠韵), a doubled given name
// (婷婷) aside.
[[nodiscard]] int soundPenalty(const NameSound& sound);

}  // namespace muwu
