#include "lexicon/name_tables.h"

#include <algorithm>
#include <utility>

#include "lexicon/tables.h"

namespace muwu {

const NameCharacter* nameCharacter(char16_t c) {
    const lexicon::Tables& t = lexicon::tables();
    const std::uint16_t i = t.nameIndex[c];
    return i == 0 ? nullptr : &t.names[i - 1];
}

const FirmCharacter* firmCharacter(char16_t c) {
    const lexicon::Tables& t = lexicon::tables();
    const std::uint16_t i = t.firmIndex[c];
    return i == 0 ? nullptr : &t.firms[i - 1];
}

const std::vector<NameCharacter>& nameCharacters() {
    return lexicon::tables().names;
}

const std::vector<FirmCharacter>& firmCharacters() {
    return lexicon::tables().firms;
}

const std::vector<NamePair>& namePairs() {
    return lexicon::tables().pairs;
}

const NamePair* namePair(char16_t first, char16_t second) {
    const std::vector<NamePair>& pairs = lexicon::tables().pairs;
    const auto it = std::lower_bound(pairs.begin(), pairs.end(), std::pair(first, second),
                                     [](const NamePair& p, const std::pair<char16_t, char16_t>& k) {
                                         return std::pair(p.first, p.second) < k;
                                     });
    return it != pairs.end() && it->first == first && it->second == second ? &*it : nullptr;
}

int pairPlaceCount(char16_t c, int place) {
    return lexicon::tables().pairPlaces[c][place == 0 ? 0 : 1];
}

int placePenalty(char16_t c, int place) {
    const auto& counts = lexicon::tables().pairPlaces[c];
    const int here = counts[place == 0 ? 0 : 1];
    const int all = counts[0] + counts[1];
    return all >= 2 && here * 5 < all ? 1 : 0;
}

std::optional<Gender> parseGender(std::u16string_view text) {
    if (text.empty() || text == u"不限")
        return Gender::any;
    if (text == u"男")
        return Gender::male;
    if (text == u"女")
        return Gender::female;
    return std::nullopt;
}

std::u16string_view genderText(Gender gender) noexcept {
    switch (gender) {
        case Gender::male:
            return u"男";
        case Gender::female:
            return u"女";
        case Gender::any:
            break;
    }
    return u"不限";
}

std::u16string_view meaningOf(char16_t c, bool company) {
    const FirmCharacter* f = firmCharacter(c);
    const NameCharacter* n = nameCharacter(c);
    if (company && f)
        return f->meaning;
    if (n)
        return n->meaning;
    return f ? std::u16string_view(f->meaning) : std::u16string_view();
}

std::vector<CharacterMeaning> meaningsOf(std::u16string_view chars, bool company) {
    std::vector<CharacterMeaning> out;
    out.reserve(chars.size());
    for (const char16_t c : chars)
        out.push_back({c, meaningOf(c, company)});
    return out;
}

std::u16string_view meaningfulPart(std::u16string_view name, std::u16string_view given,
                                   bool company) {
    return company ? name : given;
}

}  // namespace muwu
