#include "lexicon/pinyin.h"

#include "lexicon/tables.h"
#include "platform/text.h"

namespace muwu {

SyllableId syllableOf(std::string_view plain) {
    return lexicon::tables().find(std::string(plain));
}

std::string_view syllableText(SyllableId id) {
    const auto& syllables = lexicon::tables().syllables;
    return id < syllables.size() ? std::string_view(syllables[id]) : std::string_view();
}

std::size_t syllableCount() {
    return lexicon::tables().syllables.size();
}

std::u16string_view markedReading(Reading r) {
    const auto& marked = lexicon::tables().marked;
    const std::size_t at = static_cast<std::size_t>(r.syllable) << 3 | (r.tone & 7);
    return at < marked.size() ? std::u16string_view(marked[at]) : std::u16string_view();
}

ToneClass toneClass(Reading r) noexcept {
    if (!r.known())
        return ToneClass::none;
    if (r.tone == 1 || r.tone == 2)
        return ToneClass::level;
    if (r.tone == 3 || r.tone == 4)
        return ToneClass::oblique;
    return ToneClass::none;
}

std::uint16_t initialOf(SyllableId id) {
    const auto& initials = lexicon::tables().initials;
    return id < initials.size() ? initials[id] : 0;
}

std::uint16_t rhymeOf(SyllableId id) {
    const auto& rhymes = lexicon::tables().rhymes;
    return id < rhymes.size() ? rhymes[id] : 0;
}

Reading readingOf(char16_t c) {
    const lexicon::Tables& t = lexicon::tables();
    if (const std::uint16_t i = t.nameIndex[c]; i != 0 && t.names[i - 1].reading.known())
        return t.names[i - 1].reading;
    if (const std::uint16_t i = t.firmIndex[c]; i != 0 && t.firms[i - 1].reading.known())
        return t.firms[i - 1].reading;
    return t.unihan[c];
}

namespace {

// The reading of character i of a surname: of the whole double surname, else of the character as
// a surname, else its own.
Reading surnameReadingAt(std::u16string_view surname, std::size_t i) {
    const lexicon::Tables& t = lexicon::tables();
    if (surname.size() == 2) {
        const auto it =
            t.doubleSurnames.find(static_cast<std::uint32_t>(surname[0]) << 16 | surname[1]);
        if (it != t.doubleSurnames.end())
            return it->second[i];
    }
    const Reading r = t.singleSurnames[surname[i]];
    return r.known() ? r : readingOf(surname[i]);
}

}  // namespace

std::vector<Reading> surnameReadings(std::u16string_view surname) {
    std::vector<Reading> readings;
    readings.reserve(surname.size());
    for (std::size_t i = 0; i < surname.size(); ++i)
        readings.push_back(surnameReadingAt(surname, i));
    return readings;
}

void appendNamePinyin(std::u16string& out, std::u16string_view surname, std::u16string_view rest) {
    const std::size_t n = surname.size() + rest.size();
    for (std::size_t i = 0; i < n; ++i) {
        const char16_t c = i < surname.size() ? surname[i] : rest[i - surname.size()];
        const bool low =
            isLowSurrogate(c) && i > 0 &&
            isHighSurrogate(i - 1 < surname.size() ? surname[i - 1] : rest[i - 1 - surname.size()]);
        // The two halves of a pair stand together, as the one character they are.
        if (i > 0 && !low)
            out += u' ';
        const std::u16string_view marked =
            markedReading(i < surname.size() ? surnameReadingAt(surname, i) : readingOf(c));
        if (marked.empty()) {
            out += c;
        } else {
            out += marked;
        }
    }
}

std::u16string namePinyin(std::u16string_view surname, std::u16string_view rest) {
    std::u16string out;
    out.reserve(7 * (surname.size() + rest.size()));
    appendNamePinyin(out, surname, rest);
    return out;
}

}  // namespace muwu
