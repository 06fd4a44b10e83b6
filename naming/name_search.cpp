#include "naming/name_search.h"

#include <algorithm>
#include <array>
#include <limits>
#include <queue>
#include <unordered_set>

#include "names/score.h"
#include "naming/search_order.h"
#include "naming/search_sound.h"
#include "naming/supply.h"

namespace muwu {

namespace {

// Above every value nameQuality can take.
constexpr int kQualityLevels = 32;

// Above every share of the quality one character has (characterPenalty).
constexpr std::size_t kPenalties = 3 + kCommonnessLevels + 1;

// The most the sound and the genders add to a name's quality: all level or all oblique, both
// alike sounds with each of up to three neighbours, and a male with a female character.
constexpr std::size_t kMaxNamePenalty = 1 + 2 * 3 + 2;

// A character's kind for the wanted elements: 0 when its attribute is not wanted, else 1 to 5
// (supplyGroup).
constexpr std::size_t kSupplyGroups = 6;

// A character as one place of the given name offers it.
struct Candidate {
    char16_t c = 0;
    Reading reading;
    std::uint8_t penalty = 0;  // its share of the name quality
    std::uint8_t group = 0;    // its kind for the wanted elements
    Lean lean = Lean::neutral;
    std::uint64_t order = 0;  // its place in the shuffle
};

// The characters of one place with one stroke count, by their kind for the wanted elements and
// their share of the quality, each list in shuffle order, so that names bringing a given number
// of wanted elements at a low quality are found without walking the others; and for the count,
// how many have each syllable (and of those, how many are on the tone that would make the whole
// name one-toned).
struct Bucket {
    std::array<std::array<std::vector<Candidate>, kPenalties>, kSupplyGroups> lists;
    std::size_t size = 0;
    [[nodiscard]] const Candidate* any() const {
        for (const auto& group : lists) {
            for (const auto& chars : group) {
                if (!chars.empty())
                    return &chars.front();
            }
        }
        return nullptr;
    }
    template <typename F>
    void forEachList(F&& f) {
        for (auto& group : lists) {
            for (auto& chars : group)
                f(chars);
        }
    }
    template <typename F>
    void forEachList(F&& f) const {
        for (const auto& group : lists) {
            for (const auto& chars : group)
                f(chars);
        }
    }
    std::vector<std::uint32_t> bySyllable, bySyllableOnTone;
    std::vector<SyllableId> syllables;  // those present
    std::uint32_t onTone = 0;
};

struct Position {
    std::array<Bucket, kMaxStrokes + 1> byStrokes;  // 0 only for a kept character in no list
    std::vector<bool> member;                       // by character
    bool fixed = false;                             // the user's kept character
};

struct Combination {
    int strokes[2] = {0, 0};
    double score = 0;  // -infinity when the window shows no score
    bool acceptable = false;
    int sancai = 0;  // sancaiRank
    std::size_t names = 0;
};

// 三才 as the order compares it, higher first: 0 for none (a company's, or grids not computed).
int sancaiRank(const Analysis& a) {
    return a.sancai ? 1 + static_cast<int>(a.sancai->verdict) : 0;
}

// The rank key of a combination: names of equal key are ordered by quality, variety, shuffle.
bool sameRank(const Combination& a, const Combination& b) {
    return a.score == b.score && a.acceptable == b.acceptable && a.sancai == b.sancai;
}

bool ranksBefore(const Combination& a, const Combination& b) {
    if (a.score != b.score)
        return a.score > b.score;
    if (a.acceptable != b.acceptable)
        return a.acceptable > b.acceptable;
    return a.sancai > b.sancai;
}

// How many wanted elements two characters of these kinds bring (b 0 for a one-character name).
int supplyLevel(std::size_t a, std::size_t b) {
    return (a != 0) + (b != 0 && b != a);
}

bool opposite(Lean a, Lean b) {
    return (a == Lean::male && b == Lean::female) || (a == Lean::female && b == Lean::male);
}

}  // namespace

struct NameSearch::State {
    State(CharacterData& d, const SearchOptions& o)
        : data(d),
          batch(d),
          options(o),
          analysisOptions(searchAnalysisOptions(o)),
          sound(o),
          uses(0x10000, 0) {}

    CharacterData& data;
    CharacterData::Batch batch;  // open for the whole search: one version of the data
    SearchOptions options;
    AnalysisOptions analysisOptions;
    SearchSound sound;
    std::array<Position, 2> positions;
    std::vector<Combination> combinations;  // in rank order
    std::size_t total = 0, listed = 0;
    std::size_t nextCombination = 0;  // the first of the next group
    std::size_t given = 0;            // names handed out so far
    std::vector<std::uint32_t> uses;  // by character: at a chosen place in the names given

    [[nodiscard]] bool pairs() const { return options.givenLength == 2; }
    void fill(int p, const std::vector<PoolCharacter>& pool, const PoolCharacter& kept);
    void countSyllables();
    [[nodiscard]] std::size_t countPairs(const Bucket& a, const Bucket& b, bool sameStrokes) const;
    [[nodiscard]] int quality(const Candidate& a, const Candidate* b) const;
    [[nodiscard]] bool chosen(int p) const { return !positions[static_cast<std::size_t>(p)].fixed; }
    // The names of the combinations [begin, end) that bring `level` wanted elements, in order,
    // appended to names until it holds wanted.
    void give(std::size_t begin, std::size_t end, int level, std::vector<GivenName>& names,
              std::size_t wanted);

    // Every name of the combinations [begin, end) the sound rules let through that brings
    // `level` wanted elements and whose characters' shares of the quality add up to minPenalty
    // to maxPenalty, in shuffle order; visit(first, second or null) answers whether to go on, to
    // leave the rest of this first character's names, or to stop.
    enum class Step { next, skipRow, stop };
    template <typename Visit>
    void walk(std::size_t begin, std::size_t end, int level, std::size_t minPenalty,
              std::size_t maxPenalty, Visit&& visit) const;
};

void NameSearch::State::fill(int p, const std::vector<PoolCharacter>& pool,
                             const PoolCharacter& kept) {
    Position& pos = positions[static_cast<std::size_t>(p)];
    const SearchOptions& o = options;
    const std::unordered_set<char16_t> excluded(o.exclude.begin(), o.exclude.end());
    pos.fixed = o.keep && o.keepAt == p + 1;
    pos.member.assign(0x10000, false);
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
                                    characterPenalty(tierOf(o, c.name, c.firm), c.commonness));
        k.group = static_cast<std::uint8_t>(supplyGroup(o.supply, c.attribute));
        k.lean = c.name ? c.name->lean : Lean::neutral;
        k.order = shuffleOrder(o, p, c.c);
        Bucket& b = pos.byStrokes[static_cast<std::size_t>(c.strokes)];
        b.lists[k.group][std::min<std::size_t>(k.penalty, kPenalties - 1)].push_back(k);
        ++b.size;
        pos.member[c.c] = true;
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
                if (positions[1].member[k.c] && k.reading.known() &&
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

template <typename Visit>
void NameSearch::State::walk(std::size_t begin, std::size_t end, int level,
                             std::size_t minPenalty, std::size_t maxPenalty, Visit&& visit) const {
    // The characters of one place, a stroke count and a share of the quality each: the first
    // characters' lists are merged by shuffle order, and the second characters of all lists
    // that hold one first character are merged again for it.
    struct Stream {
        const std::vector<Candidate>* first;
        const std::vector<Candidate>* second;  // null for a one-character given name
        std::size_t i = 0, j = 0;
        [[nodiscard]] const Candidate& a() const { return (*first)[i]; }
        [[nodiscard]] const Candidate& b() const { return (*second)[j]; }
    };
    auto laterRow = [](const Stream& x, const Stream& y) {
        return std::pair(x.a().order, x.a().c) > std::pair(y.a().order, y.a().c);
    };
    std::priority_queue<Stream, std::vector<Stream>, decltype(laterRow)> rows(laterRow);
    for (std::size_t i = begin; i < end; ++i) {
        const Combination& c = combinations[i];
        const Bucket& first = positions[0].byStrokes[static_cast<std::size_t>(c.strokes[0])];
        const Bucket& second = positions[1].byStrokes[static_cast<std::size_t>(c.strokes[1])];
        for (std::size_t g1 = 0; g1 < kSupplyGroups; ++g1) {
            for (std::size_t p1 = 0; p1 < kPenalties && p1 <= maxPenalty; ++p1) {
                const std::vector<Candidate>& firsts = first.lists[g1][p1];
                if (firsts.empty())
                    continue;
                if (!pairs()) {
                    if (p1 >= minPenalty && supplyLevel(g1, 0) == level)
                        rows.push(Stream{&firsts, nullptr});
                    continue;
                }
                for (std::size_t g2 = 0; g2 < kSupplyGroups; ++g2) {
                    if (supplyLevel(g1, g2) != level)
                        continue;
                    for (std::size_t p2 = 0; p2 < kPenalties && p1 + p2 <= maxPenalty; ++p2) {
                        if (p1 + p2 >= minPenalty && !second.lists[g2][p2].empty())
                            rows.push(Stream{&firsts, &second.lists[g2][p2]});
                    }
                }
            }
        }
    }
    auto laterName = [](const Stream& x, const Stream& y) {
        return std::pair(x.b().order, x.b().c) > std::pair(y.b().order, y.b().c);
    };
    std::vector<Stream> row;  // the lists of one first character, as a heap by second character
    while (!rows.empty()) {
        const char16_t c1 = rows.top().a().c;
        row.clear();
        while (!rows.empty() && rows.top().a().c == c1) {
            row.push_back(rows.top());
            rows.pop();
        }
        Step step = Step::next;
        if (!pairs()) {
            step = visit(row.front().a(), nullptr);
        } else {
            std::make_heap(row.begin(), row.end(), laterName);
            std::size_t live = row.size();
            while (live > 0 && step == Step::next) {
                std::pop_heap(row.begin(), row.begin() + static_cast<std::ptrdiff_t>(live),
                              laterName);
                Stream& s = row[live - 1];
                const Candidate& a = s.a();
                const Candidate& b = s.b();
                if (!sound.breaksTogether(a.c, a.reading, b.c, b.reading))
                    step = visit(a, &b);
                if (++s.j < s.second->size()) {
                    std::push_heap(row.begin(), row.begin() + static_cast<std::ptrdiff_t>(live),
                                   laterName);
                } else {
                    --live;
                }
            }
        }
        if (step == Step::stop)
            return;
        for (Stream& s : row) {
            s.j = 0;
            if (++s.i < s.first->size())
                rows.push(s);
        }
    }
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

void NameSearch::State::give(std::size_t begin, std::size_t end, int level,
                             std::vector<GivenName>& names, std::size_t wanted) {
    // Quality by quality, in shuffle order, a name whose chosen characters are each used fewer
    // than `cap` times so far; held-back names wait for the next pass, with the cap doubled.
    // A pass that held nothing back has given every name of its quality.
    auto fresh = [&](char16_t c, int p, std::uint32_t cap) { return !chosen(p) || uses[c] < cap; };
    for (int q = 0; q < kQualityLevels && names.size() < wanted; ++q) {
        // The names of this quality that earlier passes took, sorted: four bytes a name.
        std::vector<std::uint32_t> taken;
        std::size_t earlier = 0;
        std::uint32_t cap = 2;
        bool heldBack = false;
        auto visit = [&](const Candidate& a, const Candidate* b) {
            if (!fresh(a.c, 0, cap)) {
                heldBack = true;  // perhaps: the row is not looked at
                return Step::skipRow;
            }
            if (std::min(quality(a, b), kQualityLevels - 1) != q)
                return Step::next;
            const std::uint32_t id = static_cast<std::uint32_t>(a.c) << 16 | (b ? b->c : 0);
            if (std::binary_search(taken.begin(),
                                   taken.begin() + static_cast<std::ptrdiff_t>(earlier), id))
                return Step::next;
            if (b && !fresh(b->c, 1, cap)) {
                heldBack = true;
                return Step::next;
            }
            GivenName name;
            name.chars = {a.c, b ? b->c : char16_t{0}};
            name.length = b ? 2 : 1;
            names.push_back(name);
            taken.push_back(id);
            if (chosen(0))
                ++uses[a.c];
            if (b && chosen(1))
                ++uses[b->c];
            return names.size() < wanted ? Step::next : Step::stop;
        };
        for (;; cap *= 2) {
            heldBack = false;
            // The rest of a name's quality (sound, gender) is never above kMaxNamePenalty.
            const std::size_t top = static_cast<std::size_t>(q);
            walk(begin, end, level, top > kMaxNamePenalty ? top - kMaxNamePenalty : 0, top, visit);
            if (!heldBack || names.size() >= wanted)
                break;
            std::sort(taken.begin(), taken.end());
            earlier = taken.size();
        }
    }
}

bool NameSearch::nextGroup(std::vector<GivenName>& names) {
    State& s = *state_;
    names.clear();
    const std::vector<Combination>& combinations = s.combinations;
    const std::size_t g = s.nextCombination;
    if (s.given >= s.listed || g >= combinations.size())
        return false;
    std::size_t end = g;
    while (end < combinations.size() && sameRank(combinations[end], combinations[g]))
        ++end;
    s.nextCombination = end;
    const std::size_t wanted = s.listed - s.given;
    // Names bringing more of the wanted elements first: a character brings at most one.
    const int most =
        static_cast<int>(std::min<std::size_t>(s.options.supply.size(), s.pairs() ? 2 : 1));
    for (int level = most; level >= 0 && names.size() < wanted; --level)
        s.give(g, end, level, names, wanted);
    s.given += names.size();
    return true;
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
