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

struct NameSearch::State {
    State(CharacterData& d, const SearchOptions& o)
        : data(d), batch(d), options(o), analysisOptions(searchAnalysisOptions(o)) {}

    CharacterData& data;
    CharacterData::Batch batch;  // open for the whole search: one version of the data
    SearchOptions options;
    AnalysisOptions analysisOptions;
    PoolCharacter kept;  // positions may point at it
    std::array<Position, 2> positions;
    std::vector<Combination> combinations;  // in rank order
    std::size_t total = 0, listed = 0;
    std::size_t nextCombination = 0;  // the first of the next group
    std::size_t given = 0;            // names handed out so far
};

NameSearch::NameSearch(CharacterData& data, const std::vector<PoolCharacter>& pool,
                       const SearchOptions& o)
    : state_(std::make_unique<State>(data, o)) {
    State& s = *state_;
    const int length = o.givenLength;

    // The kept character counts as the analysis looks it up, listed or not.
    if (o.keep) {
        StrokeInfo info = data.strokes(std::u16string_view(&*o.keep, 1));
        s.kept = {*o.keep, info.strokes, std::move(info.attribute), gb2312Level(*o.keep)};
    }
    const std::unordered_set<char16_t> excluded(o.exclude.begin(), o.exclude.end());

    for (int p = 0; p < length; ++p) {
        Position& pos = s.positions[static_cast<std::size_t>(p)];
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
            if (wanted(s.kept))
                add(s.kept);
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
    const int secondMax = length == 2 ? kMaxStrokes : 0;
    for (int k1 = 0; k1 <= kMaxStrokes; ++k1) {
        const std::size_t n1 = s.positions[0].counts[static_cast<std::size_t>(k1)];
        if (n1 == 0)
            continue;
        for (int k2 = 0; k2 <= secondMax; ++k2) {
            const std::size_t n2 =
                length == 2 ? s.positions[1].counts[static_cast<std::size_t>(k2)] : 1;
            if (n2 == 0)
                continue;
            std::u16string given(1, representative(s.positions[0], k1));
            if (length == 2)
                given.push_back(representative(s.positions[1], k2));
            const Analysis a = analyseName(data, searchedName(o, given), s.analysisOptions);
            const std::optional<double> score =
                a.score ? leadingNumber(*a.score) : std::optional<double>();
            if (o.minScore && (!score || *score < *o.minScore))
                continue;
            Combination c;
            c.strokes[0] = k1, c.strokes[1] = k2;
            c.score = score.value_or(-std::numeric_limits<double>::infinity());
            c.acceptable = engineAccepts(a);
            c.names = n1 * n2;
            s.combinations.push_back(c);
        }
    }
    std::stable_sort(s.combinations.begin(), s.combinations.end(),
                     [](const Combination& a, const Combination& b) {
                         if (a.score != b.score)
                             return a.score > b.score;
                         return a.acceptable > b.acceptable;
                     });
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

bool NameSearch::nextGroup(std::vector<GivenName>& names) {
    State& s = *state_;
    names.clear();
    const std::vector<Combination>& combinations = s.combinations;
    const std::size_t g = s.nextCombination;
    if (s.given >= s.listed || g >= combinations.size())
        return false;
    std::size_t end = g;
    while (end < combinations.size() && combinations[end].score == combinations[g].score &&
           combinations[end].acceptable == combinations[g].acceptable) {
        ++end;
    }
    s.nextCombination = end;

    // Within the group, merge the combinations' names by commonness and code.
    const bool pairs = s.options.givenLength == 2;
    std::priority_queue<Stream, std::vector<Stream>, std::greater<>> heap;
    for (std::size_t i = g; i < end; ++i) {
        const Bucket& b1 =
            s.positions[0].byStrokes[static_cast<std::size_t>(combinations[i].strokes[0])];
        const Bucket* b2 =
            pairs ? &s.positions[1].byStrokes[static_cast<std::size_t>(combinations[i].strokes[1])]
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
    const std::size_t wanted = s.listed - s.given;
    while (!heap.empty() && names.size() < wanted) {
        Stream stream = heap.top();
        heap.pop();
        GivenName name;
        name.chars = {stream.c1(), stream.c2()};
        name.length = stream.second ? 2 : 1;
        names.push_back(name);
        stream.advance();
        if (!stream.done())
            heap.push(stream);
    }
    s.given += names.size();
    return true;
}

SearchHit NameSearch::hit(const GivenName& given, std::size_t rank) const {
    const State& s = *state_;
    SearchHit h;
    h.rank = rank;
    h.analysis = analyseName(s.data, searchedName(s.options, given.view()), s.analysisOptions);
    h.acceptable = engineAccepts(h.analysis);
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
