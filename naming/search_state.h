#pragma once
// The inside of NameSearch, shared by the files that build it (name_search.cpp) and give its
// names (search_give.cpp): the characters of each place by stroke count, the combinations of
// stroke counts in rank order, and the walk over the names of a group.
#include <algorithm>
#include <array>
#include <cstdint>
#include <queue>
#include <vector>

#include "naming/name_search.h"
#include "naming/search_sound.h"

namespace muwu::search_internal {

// Above every value nameQuality can take.
constexpr int kQualityLevels = 32;

// Above every share of the quality one character has (characterPenalty and placePenalty).
constexpr std::size_t kPenalties = 3 + kCommonnessLevels + 2;

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
    std::vector<std::int8_t> strokesOf;             // by character: -1 when not a candidate
    bool fixed = false;                             // the user's kept character
    [[nodiscard]] bool member(char16_t c) const { return strokesOf[c] >= 0; }
    [[nodiscard]] const Candidate* find(char16_t c) const {
        if (!member(c))
            return nullptr;
        const Candidate* found = nullptr;
        byStrokes[static_cast<std::size_t>(strokesOf[c])].forEachList(
            [&](const std::vector<Candidate>& chars) {
                for (const Candidate& k : chars) {
                    if (k.c == c)
                        found = &k;
                }
            });
        return found;
    }
};

struct Combination {
    int strokes[2] = {0, 0};
    double score = 0;  // -infinity when the window shows no score
    bool acceptable = false;
    int sancai = 0;  // sancaiRank
    std::size_t names = 0;
};

// 三才 as the order compares it, higher first: 0 for none (a company's, or grids not computed).
inline int sancaiRank(const Analysis& a) {
    return a.sancai ? 1 + static_cast<int>(a.sancai->verdict) : 0;
}

// The rank key of a combination: names of equal key are ordered by quality, variety, shuffle.
inline bool sameRank(const Combination& a, const Combination& b) {
    return a.score == b.score && a.acceptable == b.acceptable && a.sancai == b.sancai;
}

inline bool ranksBefore(const Combination& a, const Combination& b) {
    if (a.score != b.score)
        return a.score > b.score;
    if (a.acceptable != b.acceptable)
        return a.acceptable > b.acceptable;
    return a.sancai > b.sancai;
}

// How many wanted elements two characters of these kinds bring (b 0 for a one-character name).
inline int supplyLevel(std::size_t a, std::size_t b) {
    return (a != 0) + (b != 0 && b != a);
}

inline bool opposite(Lean a, Lean b) {
    return (a == Lean::male && b == Lean::female) || (a == Lean::female && b == Lean::male);
}

}  // namespace muwu::search_internal

namespace muwu {

struct NameSearch::State {
    using Candidate = search_internal::Candidate;
    using Bucket = search_internal::Bucket;
    using Position = search_internal::Position;
    using Combination = search_internal::Combination;

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
    // Whether the editors' list of names that go together counts: a person's two characters.
    [[nodiscard]] bool listing() const { return pairs() && !options.company; }

    // The listed names (namePairs) this search may give, each with its combination, in
    // combination order. Found once the combinations are ranked; the listed names of the other
    // gender are then taken off their combinations' counts.
    struct Listed {
        Candidate a, b;
        std::size_t combination = 0;
    };
    std::vector<Listed> listedNames;
    void findListed();
    // The listed names of the combinations [begin, end) that bring `level` wanted elements, by
    // quality, variety and shuffle, appended to names until it holds wanted.
    void giveListed(std::size_t begin, std::size_t end, int level, std::vector<GivenName>& names,
                    std::size_t wanted);
    void take(const Candidate& a, const Candidate* b, std::vector<GivenName>& names);
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

template <typename Visit>
void NameSearch::State::walk(std::size_t begin, std::size_t end, int level, std::size_t minPenalty,
                             std::size_t maxPenalty, Visit&& visit) const {
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
        for (std::size_t g1 = 0; g1 < search_internal::kSupplyGroups; ++g1) {
            for (std::size_t p1 = 0; p1 < search_internal::kPenalties && p1 <= maxPenalty; ++p1) {
                const std::vector<Candidate>& firsts = first.lists[g1][p1];
                if (firsts.empty())
                    continue;
                if (!pairs()) {
                    if (p1 >= minPenalty && search_internal::supplyLevel(g1, 0) == level)
                        rows.push(Stream{&firsts, nullptr});
                    continue;
                }
                for (std::size_t g2 = 0; g2 < search_internal::kSupplyGroups; ++g2) {
                    if (search_internal::supplyLevel(g1, g2) != level)
                        continue;
                    for (std::size_t p2 = 0;
                         p2 < search_internal::kPenalties && p1 + p2 <= maxPenalty; ++p2) {
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

}  // namespace muwu
