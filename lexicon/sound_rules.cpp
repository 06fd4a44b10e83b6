#include "lexicon/sound_rules.h"

#include <algorithm>

#include "lexicon/tables.h"

namespace muwu {

const std::vector<IllWord>& illWords() {
    return lexicon::tables().illWords;
}

NameSound nameSound(std::u16string_view before, std::u16string_view given,
                    std::u16string_view after, bool person) {
    NameSound s;
    s.chars = std::u16string(before) + std::u16string(given) + std::u16string(after);
    if (person) {
        s.readings = surnameReadings(before);
    } else {
        for (const char16_t c : before)
            s.readings.push_back(readingOf(c));
    }
    for (const char16_t c : given)
        s.readings.push_back(readingOf(c));
    for (const char16_t c : after)
        s.readings.push_back(readingOf(c));
    s.givenBegin = before.size();
    s.givenEnd = before.size() + given.size();
    return s;
}

namespace {

bool anyChosen(const NameSound& s, std::size_t begin, std::size_t end) {
    for (std::size_t i = begin; i < end; ++i) {
        if (s.chosen(i))
            return true;
    }
    return false;
}

bool inGiven(const NameSound& s, std::size_t i) {
    return i >= s.givenBegin && i < s.givenEnd;
}

// The same character twice in the given name is a doubled name, chosen on purpose.
bool doubled(const NameSound& s, std::size_t i, std::size_t j) {
    return inGiven(s, i) && inGiven(s, j) && s.chars[i] == s.chars[j];
}

}  // namespace

SoundVerdict judgeSound(const NameSound& s) {
    const std::size_t n = std::min(s.chars.size(), s.readings.size());
    if (!anyChosen(s, 0, n))
        return {};
    const auto& r = s.readings;

    if (n >= 3 && std::all_of(r.begin(), r.begin() + static_cast<std::ptrdiff_t>(n),
                              [&](const Reading& x) { return x.known() && x.tone == r[0].tone; }))
        return {SoundFault::oneTone, nullptr};

    // Each word that starts with the syllable at start, laid over the name from there.
    const lexicon::Tables& t = lexicon::tables();
    for (std::size_t start = 0; start < n; ++start) {
        if (!r[start].known() || r[start].syllable >= t.illWordsByFirst.size())
            continue;
        for (const std::size_t index : t.illWordsByFirst[r[start].syllable]) {
            const IllWord& w = t.illWords[index];
            const std::size_t length = w.sounds.size();
            if (start + length > n || !anyChosen(s, start, start + length))
                continue;
            bool same = true;
            for (std::size_t k = 1; k < length && same; ++k)
                same = r[start + k].known() && r[start + k].syllable == w.sounds[k];
            if (same)
                return {SoundFault::illWord, &w};
        }
    }

    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t j = i + 1; j < n; ++j) {
            if ((s.chosen(i) || s.chosen(j)) && r[i].known() && r[i].syllable == r[j].syllable &&
                !doubled(s, i, j))
                return {SoundFault::repeatedSyllable, nullptr};
        }
    }
    return {};
}

SoundVerdict judgeName(std::u16string_view surname, std::u16string_view given) {
    return judgeSound(nameSound(surname, given, {}, true));
}

int soundPenalty(const NameSound& s) {
    const std::size_t n = std::min(s.chars.size(), s.readings.size());
    if (!anyChosen(s, 0, n))
        return 0;
    const auto& r = s.readings;
    int penalty = 0;
    const ToneClass first = n > 0 ? toneClass(r[0]) : ToneClass::none;
    if (n >= 3 && first != ToneClass::none &&
        std::all_of(r.begin(), r.begin() + static_cast<std::ptrdiff_t>(n),
                    [&](const Reading& x) { return toneClass(x) == first; }))
        ++penalty;
    for (std::size_t i = 0; i + 1 < n; ++i) {
        if (!(s.chosen(i) || s.chosen(i + 1)) || !r[i].known() || !r[i + 1].known() ||
            doubled(s, i, i + 1))
            continue;
        const std::uint16_t initial = initialOf(r[i].syllable);
        const std::uint16_t rhyme = rhymeOf(r[i].syllable);
        if (initial != 0 && initial == initialOf(r[i + 1].syllable))
            ++penalty;
        if (rhyme != 0 && rhyme == rhymeOf(r[i + 1].syllable))
            ++penalty;
    }
    return penalty;
}

}  // namespace muwu
