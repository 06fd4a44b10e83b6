// Giving the names of a search group by group: the listed names first, then the rest, quality by
// quality, with the variety of the order.
#include <algorithm>
#include <tuple>

#include "lexicon/name_tables.h"
#include "naming/search_state.h"

namespace muwu {

using namespace search_internal;

void NameSearch::State::take(const Candidate& a, const Candidate* b,
                             std::vector<GivenName>& names) {
    GivenName name;
    name.chars = {a.c, b ? b->c : char16_t{0}};
    name.length = b ? 2 : 1;
    names.push_back(name);
    if (chosen(0))
        ++uses[a.c];
    if (b && chosen(1))
        ++uses[b->c];
}

void NameSearch::State::findListed() {
    std::vector<std::int32_t> at((kMaxStrokes + 1) * (kMaxStrokes + 1), -1);
    for (std::size_t i = 0; i < combinations.size(); ++i) {
        const Combination& c = combinations[i];
        at[static_cast<std::size_t>(c.strokes[0] * (kMaxStrokes + 1) + c.strokes[1])] =
            static_cast<std::int32_t>(i);
    }
    for (const NamePair& p : namePairs()) {
        const Candidate* a = positions[0].find(p.first);
        const Candidate* b = a ? positions[1].find(p.second) : nullptr;
        if (!b || sound.breaksTogether(a->c, a->reading, b->c, b->reading))
            continue;
        const std::int32_t i = at[static_cast<std::size_t>(
            positions[0].strokesOf[a->c] * (kMaxStrokes + 1) + positions[1].strokesOf[b->c])];
        if (i < 0)
            continue;
        if (!suits(p.gender, options.gender)) {
            --combinations[static_cast<std::size_t>(i)].names;
            continue;
        }
        listedNames.push_back({*a, *b, static_cast<std::size_t>(i)});
    }
    std::stable_sort(listedNames.begin(), listedNames.end(), [](const Listed& x, const Listed& y) {
        return x.combination < y.combination;
    });
}

void NameSearch::State::giveListed(std::size_t begin, std::size_t end, int level,
                                   std::vector<GivenName>& names, std::size_t wanted) {
    struct Entry {
        const Listed* name;
        int quality;
        [[nodiscard]] auto key() const {
            return std::tuple(quality, name->a.order, name->a.c, name->b.order, name->b.c);
        }
    };
    std::vector<Entry> these;
    for (const Listed& l : listedNames) {
        if (l.combination >= begin && l.combination < end &&
            supplyLevel(l.a.group, l.b.group) == level)
            these.push_back({&l, std::min(quality(l.a, &l.b), kQualityLevels - 1)});
    }
    std::sort(these.begin(), these.end(),
              [](const Entry& x, const Entry& y) { return x.key() < y.key(); });
    // Quality by quality, the variety of give: passes with the cap doubled each time.
    for (std::size_t from = 0; from < these.size() && names.size() < wanted;) {
        std::size_t to = from;
        while (to < these.size() && these[to].quality == these[from].quality)
            ++to;
        std::vector<Entry> left(these.begin() + static_cast<std::ptrdiff_t>(from),
                                these.begin() + static_cast<std::ptrdiff_t>(to));
        for (std::uint32_t cap = 2; !left.empty(); cap *= 2) {
            std::vector<Entry> held;
            for (const Entry& e : left) {
                const Candidate& a = e.name->a;
                const Candidate& b = e.name->b;
                if ((chosen(0) && uses[a.c] >= cap) || (chosen(1) && uses[b.c] >= cap)) {
                    held.push_back(e);
                    continue;
                }
                take(a, &b, names);
                if (names.size() >= wanted)
                    return;
            }
            left = std::move(held);
        }
        from = to;
    }
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
            // A listed name came before, or is not given at all (the other gender's).
            if (b && listing() && pairPlaceCount(a.c, 0) > 0 && namePair(a.c, b->c))
                return Step::next;
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
            take(a, b, names);
            taken.push_back(id);
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
    for (int level = most; level >= 0 && names.size() < wanted; --level) {
        if (s.listing())
            s.giveListed(g, end, level, names, wanted);
        s.give(g, end, level, names, wanted);
    }
    s.given += names.size();
    return true;
}

}  // namespace muwu
