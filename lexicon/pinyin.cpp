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

std::u16string markedReading(Reading r) {
    const auto& marked = lexicon::tables().marked;
    const auto it = marked.find(static_cast<std::uint32_t>(r.syllable) << 3 | r.tone);
    return it == marked.end() ? std::u16string() : it->second;
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

std::vector<Reading> surnameReadings(std::u16string_view surname) {
    const auto& surnames = lexicon::tables().surnames;
    if (const auto it = surnames.find(std::u16string(surname)); it != surnames.end())
        return it->second;
    std::vector<Reading> readings;
    readings.reserve(surname.size());
    for (std::size_t i = 0; i < surname.size(); ++i) {
        const auto it = surnames.find(std::u16string(1, surname[i]));
        readings.push_back(it != surnames.end() ? it->second.front() : readingOf(surname[i]));
    }
    return readings;
}

std::u16string namePinyin(std::u16string_view surname, std::u16string_view rest) {
    std::vector<Reading> readings = surnameReadings(surname);
    const std::u16string name = std::u16string(surname) + std::u16string(rest);
    for (const char16_t c : rest)
        readings.push_back(readingOf(c));
    std::u16string out;
    for (std::size_t i = 0; i < name.size(); ++i) {
        // The two halves of a pair stand together, as the one character they are.
        if (i > 0 && !(isLowSurrogate(name[i]) && isHighSurrogate(name[i - 1])))
            out += u' ';
        const std::u16string marked = markedReading(readings[i]);
        out += marked.empty() ? std::u16string(1, name[i]) : marked;
    }
    return out;
}

}  // namespace muwu
