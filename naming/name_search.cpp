#include "naming/name_search.h"

#include <algorithm>
#include <array>
#include <limits>
#include <queue>
#include <unordered_set>

#include "names/score.h"
#include "platform/text.h"

namespace muwu {

namespace {

constexpr std::u16string_view kAttributes = u"金木水火土";

// Characters of one position with one stroke count, one list per commonness level, each in code
// order.
using Bucket = std::array<std::vector<const PoolCharacter*>, kCommonnessLevels>;

struct Position {
    std::array<Bucket, kMaxStrokes + 1> byStrokes;  // 0 only for a kept character in no list
    std::array<std::size_t, kMaxStrokes + 1> counts{};
};

struct Combination {
    int strokes[2] = {0, 0};
    double score = 0;  // -infinity when the window shows no score
    bool acceptable = false;
    std::size_t names = 0;
};

// The names of one combination whose characters have given commonness levels, in code order.
struct Stream {
    const std::vector<const PoolCharacter*>* first;
    const std::vector<const PoolCharacter*>* second;  // null for a one-character given name
    int levels;
    std::size_t i = 0, j = 0;

    [[nodiscard]] bool done() const { return i >= first->size(); }
    [[nodiscard]] char16_t c1() const { return (*first)[i]->c; }
    [[nodiscard]] char16_t c2() const { return second ? (*second)[j]->c : 0; }
    void advance() {
        if (second && ++j < second->size())
            return;
        j = 0;
        ++i;
    }
    // Heap order: the smallest key on top.
    friend bool operator>(const Stream& a, const Stream& b) {
        if (a.levels != b.levels)
            return a.levels > b.levels;
        if (a.c1() != b.c1())
            return a.c1() > b.c1();
        return a.c2() > b.c2();
    }
};

int levelIndex(int commonness) {
    return std::clamp(commonness, 1, kCommonnessLevels) - 1;
}

}  // namespace

std::string searchOptionsProblem(const SearchOptions& o) {
    if (o.givenLength != 1 && o.givenLength != 2)
        return "名字的字数只能是 1 或 2";
    if (!o.company && o.surname.empty())
        return "请给出姓（公司名可以不给前缀）";
    if (!o.company && o.surname.size() > static_cast<std::size_t>(kMaxSurnameLength))
        return "姓最长 10 个字";
    if (!o.company && !o.suffix.empty())
        return "后缀只用于公司名";
    if (o.keep) {
        if (o.keepAt < 1 || o.keepAt > o.givenLength)
            return "保留字的位置只能是 1 到 " + std::to_string(o.givenLength);
        if (isSurrogate(*o.keep))
            return "保留字必须是基本平面中的一个汉字";
    }
    if (o.attributes.size() > static_cast<std::size_t>(o.givenLength))
        return "属性最多 " + std::to_string(o.givenLength) + " 个（每个字一个）";
    for (const char16_t a : o.attributes) {
        if (kAttributes.find(a) == std::u16string_view::npos)
            return "属性只能是金、木、水、火、土";
    }
    if (o.top < 1)
        return "列出的名字至少 1 个";
    return {};
}

AnalysisOptions searchAnalysisOptions(const SearchOptions& o) {
    AnalysisOptions a;
    a.company = o.company;
    a.autoRecognition = false;
    if (!o.company)
        a.surnameLength = static_cast<int>(o.surname.size());
    return a;
}

std::u16string searchedName(const SearchOptions& o, std::u16string_view given) {
    std::u16string name = o.surname;
    name += given;
    if (o.company)
        name += o.suffix;
    return name;
}

bool engineAccepts(const Analysis& a) {
    if (a.totalClass == LuckClass::misfortune)
        return false;
    if (a.company)
        return true;
    if (a.personClass == LuckClass::misfortune || a.earthClass == LuckClass::misfortune)
        return false;
    return !(a.outerClass == LuckClass::misfortune && a.name.size() != 2);
}

SearchResult searchNames(CharacterData& data, const std::vector<PoolCharacter>& pool,
                         const SearchOptions& o) {
    CharacterData::Batch batch(data);
    const AnalysisOptions analysisOptions = searchAnalysisOptions(o);
    const int length = o.givenLength;

    // The kept character counts as the analysis looks it up, listed or not.
    PoolCharacter kept;
    if (o.keep) {
        StrokeInfo info = data.strokes(std::u16string_view(&*o.keep, 1));
        kept = {*o.keep, info.strokes, std::move(info.attribute), gb2312Level(*o.keep)};
    }
    const std::unordered_set<char16_t> excluded(o.exclude.begin(), o.exclude.end());

    std::array<Position, 2> positions;
    for (int p = 0; p < length; ++p) {
        Position& pos = positions[static_cast<std::size_t>(p)];
        auto wanted = [&](const PoolCharacter& c) {
            if (excluded.contains(c.c))
                return false;
            if (static_cast<std::size_t>(p) < o.attributes.size() &&
                c.attribute != std::u16string_view(&o.attributes[static_cast<std::size_t>(p)], 1))
                return false;
            return c.strokes >= 0 && c.strokes <= kMaxStrokes;
        };
        auto add = [&](const PoolCharacter& c) {
            const auto k = static_cast<std::size_t>(c.strokes);
            pos.byStrokes[k][static_cast<std::size_t>(levelIndex(c.commonness))].push_back(&c);
            ++pos.counts[k];
        };
        if (o.keep && o.keepAt == p + 1) {
            if (wanted(kept))
                add(kept);
        } else {
            for (const PoolCharacter& c : pool) {
                if (wanted(c))
                    add(c);
            }
        }
    }

    auto representative = [&](const Position& pos, int k) {
        for (const auto& level : pos.byStrokes[static_cast<std::size_t>(k)]) {
            if (!level.empty())
                return level.front()->c;
        }
        return char16_t{0};
    };

    // Each combination of stroke counts, judged once on one name that has it.
    std::vector<Combination> combinations;
    const int secondMax = length == 2 ? kMaxStrokes : 0;
    for (int k1 = 0; k1 <= kMaxStrokes; ++k1) {
        const std::size_t n1 = positions[0].counts[static_cast<std::size_t>(k1)];
        if (n1 == 0)
            continue;
        for (int k2 = 0; k2 <= secondMax; ++k2) {
            const std::size_t n2 =
                length == 2 ? positions[1].counts[static_cast<std::size_t>(k2)] : 1;
            if (n2 == 0)
                continue;
            std::u16string given(1, representative(positions[0], k1));
            if (length == 2)
                given.push_back(representative(positions[1], k2));
            const Analysis a = analyseName(data, searchedName(o, given), analysisOptions);
            const std::optional<double> score =
                a.score ? leadingNumber(*a.score) : std::optional<double>();
            if (o.minScore && (!score || *score < *o.minScore))
                continue;
            Combination c;
            c.strokes[0] = k1, c.strokes[1] = k2;
            c.score = score.value_or(-std::numeric_limits<double>::infinity());
            c.acceptable = engineAccepts(a);
            c.names = n1 * n2;
            combinations.push_back(c);
        }
    }
    std::stable_sort(combinations.begin(), combinations.end(),
                     [](const Combination& a, const Combination& b) {
                         if (a.score != b.score)
                             return a.score > b.score;
                         return a.acceptable > b.acceptable;
                     });

    SearchResult result;
    for (const Combination& c : combinations)
        result.total += c.names;

    // Group by rank key; within a group merge the combinations' names by commonness and code.
    std::vector<std::u16string> chosen;
    for (std::size_t g = 0; g < combinations.size() && chosen.size() < o.top;) {
        std::size_t end = g;
        while (end < combinations.size() && combinations[end].score == combinations[g].score &&
               combinations[end].acceptable == combinations[g].acceptable) {
            ++end;
        }
        std::priority_queue<Stream, std::vector<Stream>, std::greater<>> heap;
        for (std::size_t i = g; i < end; ++i) {
            const Bucket& b1 =
                positions[0].byStrokes[static_cast<std::size_t>(combinations[i].strokes[0])];
            const Bucket* b2 =
                length == 2
                    ? &positions[1].byStrokes[static_cast<std::size_t>(combinations[i].strokes[1])]
                    : nullptr;
            for (int l1 = 0; l1 < kCommonnessLevels; ++l1) {
                const auto& first = b1[static_cast<std::size_t>(l1)];
                if (first.empty())
                    continue;
                if (!b2) {
                    heap.push(Stream{&first, nullptr, l1});
                    continue;
                }
                for (int l2 = 0; l2 < kCommonnessLevels; ++l2) {
                    const auto& second = (*b2)[static_cast<std::size_t>(l2)];
                    if (!second.empty())
                        heap.push(Stream{&first, &second, l1 + l2});
                }
            }
        }
        while (!heap.empty() && chosen.size() < o.top) {
            Stream s = heap.top();
            heap.pop();
            std::u16string given(1, s.c1());
            if (s.second)
                given.push_back(s.c2());
            chosen.push_back(std::move(given));
            s.advance();
            if (!s.done())
                heap.push(s);
        }
        g = end;
    }

    result.hits.reserve(chosen.size());
    for (std::size_t i = 0; i < chosen.size(); ++i) {
        SearchHit hit;
        hit.rank = i + 1;
        hit.analysis = analyseName(data, searchedName(o, chosen[i]), analysisOptions);
        hit.acceptable = engineAccepts(hit.analysis);
        result.hits.push_back(std::move(hit));
    }
    return result;
}

}  // namespace muwu
