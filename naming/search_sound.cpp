#include "naming/search_sound.h"

#include <algorithm>

#include "lexicon/sound_rules.h"

namespace muwu {

namespace {

std::vector<Reading> plainReadings(std::u16string_view text) {
    std::vector<Reading> r;
    r.reserve(text.size());
    for (const char16_t c : text)
        r.push_back(readingOf(c));
    return r;
}

}  // namespace

SearchSound::SearchSound(const SearchOptions& o)
    : length_(o.givenLength),
      before_(o.company ? plainReadings(o.surname) : surnameReadings(o.surname)),
      after_(o.company ? plainReadings(o.suffix) : std::vector<Reading>()) {
    if (o.keep)
        kept_ = o.keepAt - 1;
    const std::size_t b = before_.size(), a = after_.size();
    const std::size_t n = b + static_cast<std::size_t>(length_) + a;

    std::vector<Reading> fixed = before_;
    fixed.insert(fixed.end(), after_.begin(), after_.end());
    const bool allKnown =
        std::all_of(fixed.begin(), fixed.end(), [](const Reading& r) { return r.known(); });
    if (!fixed.empty() && allKnown && n >= 3) {
        if (std::all_of(fixed.begin(), fixed.end(),
                        [&](const Reading& r) { return r.tone == fixed.front().tone; })) {
            (length_ == 2 ? oneTone_ : aloneTone_) = fixed.front().tone;
        }
        const ToneClass first = toneClass(fixed.front());
        fixedClassShared_ = first != ToneClass::none &&
                            std::all_of(fixed.begin(), fixed.end(),
                                        [&](const Reading& r) { return toneClass(r) == first; });
        fixedClass_ = first;
    }

    width_ = syllableCount();
    aloneBad_.assign(static_cast<std::size_t>(length_), std::vector<bool>(width_, false));
    bad_.assign(width_ * width_, false);
    for (const Reading& r : fixed) {
        if (r.known()) {
            for (auto& place : aloneBad_)
                place[r.syllable] = true;  // a chosen syllable would repeat it
        }
    }

    // Every placing of every ill word over the whole name that reaches a given-name place and
    // agrees with the fixed syllables it covers.
    auto fixedAt = [&](std::size_t i) { return i < b ? before_[i] : after_[i - b - length_]; };
    const std::size_t given = b, givenEnd = b + static_cast<std::size_t>(length_);
    for (const IllWord& w : illWords()) {
        const std::size_t m = w.sounds.size();
        for (std::size_t start = 0; start + m <= n; ++start) {
            const std::size_t end = start + m;
            const std::size_t from = std::max(start, given), to = std::min(end, givenEnd);
            if (from >= to)
                continue;
            bool agrees = true;
            for (std::size_t i = start; i < end && agrees; ++i) {
                if (i < given || i >= givenEnd) {
                    const Reading r = fixedAt(i);
                    agrees = r.known() && r.syllable == w.sounds[i - start];
                }
            }
            if (!agrees)
                continue;
            if (to - from == 1) {
                aloneBad_[from - given][w.sounds[from - start]] = true;
            } else {
                const SyllableId x = w.sounds[given - start], y = w.sounds[given + 1 - start];
                if (!badPair(x, y)) {
                    bad_[static_cast<std::size_t>(x) * width_ + y] = true;
                    badPairs_.emplace_back(x, y);
                }
            }
        }
    }
}

bool SearchSound::breaksAlone(int p, Reading r) const {
    if (!r.known())
        return false;
    if (aloneBad_[static_cast<std::size_t>(p)][r.syllable])
        return true;
    return length_ == 1 && aloneTone_ && r.tone == *aloneTone_;
}

int SearchSound::neighbours(Reading a, Reading b) const {
    if (!a.known() || !b.known())
        return 0;
    int n = 0;
    const std::uint16_t initial = initialOf(a.syllable), rhyme = rhymeOf(a.syllable);
    if (initial != 0 && initial == initialOf(b.syllable))
        ++n;
    if (rhyme != 0 && rhyme == rhymeOf(b.syllable))
        ++n;
    return n;
}

int SearchSound::penalty(char16_t c1, Reading r1, char16_t c2, Reading r2) const {
    if (length_ == 1 && !chosen(0))
        return 0;
    int penalty = 0;
    if (fixedClassShared_ && toneClass(r1) == fixedClass_ &&
        (length_ == 1 || toneClass(r2) == fixedClass_))
        ++penalty;
    if (!before_.empty() && chosen(0))
        penalty += neighbours(before_.back(), r1);
    if (length_ == 2) {
        if (c1 != c2)
            penalty += neighbours(r1, r2);
        if (!after_.empty() && chosen(1))
            penalty += neighbours(r2, after_.front());
    } else if (!after_.empty()) {
        penalty += neighbours(r1, after_.front());
    }
    return penalty;
}

}  // namespace muwu
