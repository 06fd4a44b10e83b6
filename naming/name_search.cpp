#include "naming/name_search.h"

#include <algorithm>
#include <limits>
#include <unordered_set>

#include "names/score.h"
#include "naming/search_order.h"
#include "naming/search_state.h"
#include "naming/supply.h"

namespace muwu {

using namespace search_internal;

void NameSearch::State::fill(int p, const std::vector<PoolCharacter>& pool,
                             const PoolCharacter& kept) {
    Position& pos = positions[static_cast<std::size_t>(p)];
    const SearchOptions& o = options;
    const std::unordered_set<char16_t> excluded(o.exclude.begin(), o.exclude.end());
    pos.fixed = o.keep && o.keepAt == p + 1;
    pos.strokesOf.assign(0x10000, -1);
    auto wanted = [&](const PoolCharacter& c) {
        if (excluded.contains(c.c))
            return false;
        if (static_cast<std::size_t>(p) < o.attributes.size() &&
            c.attribute != std::u16string_view(&o.attributes[static_cast<std::size_t>(p)], 1))
            return false;
        return c.strokes >= 0 && c.strokes <= kMaxStrokes;
    };
    auto add = [&](const PoolCharacter& c) {
        Candidate k;
        k.c = c.c;
        k.reading = c.reading;
        k.penalty = pos.fixed ? 0
                              : static_cast<std::uint8_t>(
                                    characterPenalty(tierOf(o, c.name, c.firm), c.commonness) +
                                    (listing() ? placePenalty(c.c, p) : 0));
        k.group = static_cast<std::uint8_t>(supplyGroup(o.supply, c.attribute));
        k.lean = c.name ? c.name->lean : Lean::neutral;
        k.order = shuffleOrder(o, p, c.c);
        Bucket& b = pos.byStrokes[static_cast<std::size_t>(c.strokes)];
        b.lists[k.group][std::min<std::size_t>(k.penalty, kPenalties - 1)].push_back(k);
        ++b.size;
        pos.strokesOf[c.c] = static_cast<std::int8_t>(c.strokes);
    };
    if (pos.fixed) {
        if (wanted(kept))
            add(kept);
    } else {
        for (const PoolCharacter& c : pool) {
            if (wanted(c) && searchAdmits(o, c) && !sound.breaksAlone(p, c.reading))
                add(c);
        }
    }
    for (Bucket& b : pos.byStrokes) {
        b.forEachList([](std::vector<Candidate>& chars) {
            std::sort(chars.begin(), chars.end(), [](const Candidate& x, const Candidate& y) {
                return x.order != y.order ? x.order < y.order : x.c < y.c;
            });
        });
    }
}

void NameSearch::State::countSyllables() {
    const std::size_t width = syllableCount();
    const std::optional<std::uint8_t> tone = sound.oneTone();
    for (Position& pos : positions) {
        for (Bucket& b : pos.byStrokes) {
            if (b.size == 0)
                continue;
            b.bySyllable.assign(width, 0);
            b.bySyllableOnTone.assign(width, 0);
            b.forEachList([&](const std::vector<Candidate>& chars) {
                for (const Candidate& k : chars) {
                    if (!k.reading.known())
                        continue;
                    if (b.bySyllable[k.reading.syllable]++ == 0)
                        b.syllables.push_back(k.reading.syllable);
                    if (tone && k.reading.tone == *tone) {
                        ++b.bySyllableOnTone[k.reading.syllable];
                        ++b.onTone;
                    }
                }
            });
        }
    }
}

// The pairs the sound rules let through: all pairs, less those on one tone, those sounding like
// an ill word, and those repeating a syllable with two different characters, each counted once.
std::size_t NameSearch::State::countPairs(const Bucket& a, const Bucket& b,
                                          bool sameStrokes) const {
    std::size_t fails = static_cast<std::size_t>(a.onTone) * b.onTone;
    auto both = [&](SyllableId x, SyllableId y) {
        return static_cast<std::size_t>(a.bySyllable[x]) * b.bySyllable[y] -
               static_cast<std::size_t>(a.bySyllableOnTone[x]) * b.bySyllableOnTone[y];
    };
    for (const auto& [x, y] : sound.badPairs())
        fails += both(x, y);
    for (const SyllableId x : a.syllables) {
        if (!sound.badPair(x, x))
            fails += both(x, x);
    }
    // The same character at both places is a doubled name, not a repeat.
    if (sameStrokes) {
        const std::optional<std::uint8_t> tone = sound.oneTone();
        a.forEachList([&](const std::vector<Candidate>& chars) {
            for (const Candidate& k : chars) {
                if (positions[1].member(k.c) && k.reading.known() &&
                    !sound.badPair(k.reading.syllable, k.reading.syllable) &&
                    !(tone && k.reading.tone == *tone))
                    --fails;
            }
        });
    }
    return a.size * b.size - fails;
}

int NameSearch::State::quality(const Candidate& a, const Candidate* b) const {
    if (!b)
        return a.penalty + sound.penalty(a.c, a.reading, 0, {});
    int q = a.penalty + b->penalty + sound.penalty(a.c, a.reading, b->c, b->reading);
    if (!options.company && options.gender == Gender::any && opposite(a.lean, b->lean))
        q += 2;
    return q;
}

NameSearch::NameSearch(CharacterData& data, const std::vector<PoolCharacter>& pool,
                       const SearchOptions& o)
    : state_(std::make_unique<State>(data, o)) {
    State& s = *state_;
    const int length = o.givenLength;

    // The kept character counts as the analysis looks it up, listed or not.
    PoolCharacter kept;
    if (o.keep) {
        StrokeInfo info = data.strokes(std::u16string_view(&*o.keep, 1));
        kept = {*o.keep,
                info.strokes,
                std::move(info.attribute),
                gb2312Level(*o.keep),
                readingOf(*o.keep),
                nameCharacter(*o.keep),
                firmCharacter(*o.keep),
                true};
    }
    for (int p = 0; p < length; ++p)
        s.fill(p, pool, kept);
    if (s.pairs())
        s.countSyllables();

    // Each combination of stroke counts, judged once on one name that has it.
    const int secondMax = length == 2 ? kMaxStrokes : 0;
    for (int k1 = 0; k1 <= kMaxStrokes; ++k1) {
        const Bucket& b1 = s.positions[0].byStrokes[static_cast<std::size_t>(k1)];
        if (b1.size == 0)
            continue;
        for (int k2 = 0; k2 <= secondMax; ++k2) {
            const Bucket& b2 = s.positions[1].byStrokes[static_cast<std::size_t>(k2)];
            if (length == 2 && b2.size == 0)
                continue;
            const std::size_t names = length == 2 ? s.countPairs(b1, b2, k1 == k2) : b1.size;
            if (names == 0)
                continue;
            std::u16string given(1, b1.any()->c);
            if (length == 2)
                given.push_back(b2.any()->c);
            const Analysis a = analyseName(data, searchedName(o, given), s.analysisOptions);
            if (!o.company && o.sancaiAtLeast &&
                (!a.sancai || a.sancai->verdict < *o.sancaiAtLeast))
                continue;
            const double score = [&] {
                const std::optional<double> n = a.score ? leadingNumber(*a.score) : std::nullopt;
                return n ? *n : -std::numeric_limits<double>::infinity();
            }();
            if (o.minScore && (!a.score || score < *o.minScore))
                continue;
            Combination c;
            c.strokes[0] = k1, c.strokes[1] = k2;
            c.score = score;
            c.acceptable = engineAccepts(a);
            c.sancai = sancaiRank(a);
            c.names = names;
            s.combinations.push_back(c);
        }
    }
    std::stable_sort(s.combinations.begin(), s.combinations.end(), ranksBefore);
    if (s.listing())
        s.findListed();
    for (const Combination& c : s.combinations)
        s.total += c.names;
    s.listed = std::min(s.total, o.top);
}

NameSearch::~NameSearch() = default;

std::size_t NameSearch::total() const noexcept {
    return state_->total;
}

std::size_t NameSearch::listed() const noexcept {
    return state_->listed;
}

SearchHit NameSearch::hit(const GivenName& given, std::size_t rank) const {
    const State& s = *state_;
    SearchHit h;
    h.rank = rank;
    h.analysis = analyseName(s.data, searchedName(s.options, given.view()), s.analysisOptions);
    h.acceptable = engineAccepts(h.analysis);
    h.pinyin = pinyinOf(h.analysis);
    h.meanings = meaningsOf(given.view(), s.options.company);
    return h;
}

void NameSearch::forEachHit(const std::function<bool(const SearchHit&)>& visit) {
    std::vector<GivenName> group;
    std::size_t rank = 0;
    while (nextGroup(group)) {
        for (const GivenName& given : group) {
            if (!visit(hit(given, ++rank)))
                return;
        }
    }
}

SearchResult searchNames(CharacterData& data, const std::vector<PoolCharacter>& pool,
                         const SearchOptions& o) {
    NameSearch search(data, pool, o);
    SearchResult result;
    result.total = search.total();
    result.hits.reserve(search.listed());
    search.forEachHit([&](const SearchHit& hit) {
        result.hits.push_back(hit);
        return true;
    });
    return result;
}

}  // namespace muwu
