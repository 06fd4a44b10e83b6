#include "naming/draw_rules.h"

#include <array>
#include <utility>

#include "lexicon/sound_rules.h"

namespace muwu {

bool characterAdmitted(char16_t c, bool company, Gender gender, bool allTiers, bool anyCharacter) {
    int tier = 0;
    if (company) {
        const FirmCharacter* f = firmCharacter(c);
        tier = f ? f->tier : 0;
    } else {
        const NameCharacter* n = nameCharacter(c);
        tier = n ? n->tier : 0;
        if (n && !suits(n->lean, gender))
            return false;
    }
    return anyCharacter || tier == kTopTier || (allTiers && tier == kLastTier);
}

PoolSource admittedPools(PoolSource lists, const DrawOptions& options, bool company) {
    return [lists = std::move(lists), options, company](int strokes) {
        std::u16string kept;
        for (const char16_t c : lists(strokes)) {
            if (characterAdmitted(c, company, options.gender, options.allTiers, options.allChars))
                kept += c;
        }
        return kept;
    };
}

bool drawFits(const DrawOptions& options, std::u16string_view prefix, std::u16string_view generated,
              std::u16string_view suffix) {
    const bool company = prefix.empty();
    for (const char16_t c : generated) {
        if (!characterAdmitted(c, company, options.gender, options.allTiers, options.allChars))
            return false;
    }
    return judgeSound(nameSound(prefix, generated, suffix, !company)).ok();
}

WordList fittingWords(const WordList& words, const DrawOptions& options, std::u16string_view prefix,
                      std::u16string_view suffix) {
    static constexpr std::array<std::pair<std::size_t, std::size_t>, 4> kPairs = {
        {{0, 2}, {1, 3}, {0, 1}, {2, 3}}};
    std::u16string kept;
    for (std::size_t i = 0; i < words.wordCount(); ++i) {
        const std::u16string_view w = words.word(i);
        bool fits = true;
        for (const auto& [a, b] : kPairs) {
            const char16_t pair[] = {w[a], w[b]};
            fits = fits && drawFits(options, prefix, std::u16string_view(pair, 2), suffix);
        }
        if (fits) {
            kept += w;
            kept += u"\r\n";
        }
    }
    return WordList(std::move(kept));
}

std::function<std::u16string(char16_t)> attributesOf(CharacterData& data) {
    return [&data](char16_t c) { return data.strokes(std::u16string_view(&c, 1)).attribute; };
}

DrawRules tableDrawRules(PoolSource lists, const DrawOptions& options,
                         std::function<std::u16string(char16_t)> attributeOf) {
    DrawRules rules;
    rules.companyPools = admittedPools(lists, options, true);
    rules.fits = [options](std::u16string_view prefix, std::u16string_view generated,
                           std::u16string_view suffix) {
        return drawFits(options, prefix, generated, suffix);
    };
    rules.words = [options](const WordList& words, std::u16string_view prefix,
                            std::u16string_view suffix) {
        return fittingWords(words, options, prefix, suffix);
    };
    rules.evenly = true;
    rules.attributeOf = std::move(attributeOf);
    for (const NamePair& p : namePairs()) {
        if (suits(p.gender, options.gender) &&
            characterAdmitted(p.first, false, options.gender, options.allTiers, options.allChars) &&
            characterAdmitted(p.second, false, options.gender, options.allTiers,
                              options.allChars)) {
            rules.pairs += p.first;
            rules.pairs += p.second;
        }
    }
    return rules;
}

}  // namespace muwu
