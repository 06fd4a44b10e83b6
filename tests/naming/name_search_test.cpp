// The ranked search against enumerating every name and sorting by the documented order.
#include "naming/name_search.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <map>
#include <optional>

#include "names/score.h"
#include "platform/text.h"
#include "tests/naming/engine_fixture.h"
#include "tests/support/data_dir.h"

namespace muwu {
namespace {

struct Expected {
    std::u16string given;
    double score;
    bool acceptable;
    int commonness;
};

int levelOf(const std::vector<PoolCharacter>& pool, char16_t c) {
    for (const PoolCharacter& p : pool) {
        if (p.c == c)
            return p.commonness;
    }
    return gb2312Level(c);
}

// Every given name the options allow, analysed one by one and sorted.
std::vector<Expected> everyName(CharacterData& data, const std::vector<PoolCharacter>& pool,
                                const SearchOptions& o) {
    std::vector<std::u16string> choices[2];
    for (int p = 0; p < o.givenLength; ++p) {
        auto& list = choices[p];
        if (o.keep && o.keepAt == p + 1) {
            list.push_back(std::u16string(1, *o.keep));
        } else {
            for (const PoolCharacter& c : pool)
                list.push_back(std::u16string(1, c.c));
        }
        std::erase_if(list, [&](const std::u16string& c) {
            const StrokeInfo info = data.strokes(c);
            return o.exclude.find(c[0]) != std::u16string::npos ||
                   (static_cast<std::size_t>(p) < o.attributes.size() &&
                    info.attribute != o.attributes.substr(static_cast<std::size_t>(p), 1));
        });
    }
    std::vector<std::u16string> givens = choices[0];
    if (o.givenLength == 2) {
        givens.clear();
        for (const auto& a : choices[0]) {
            for (const auto& b : choices[1])
                givens.push_back(a + b);
        }
    }
    std::vector<Expected> all;
    for (const std::u16string& g : givens) {
        const Analysis a = analyseName(data, searchedName(o, g), searchAnalysisOptions(o));
        const double score =
            a.score ? numberOf(*a.score) : -std::numeric_limits<double>::infinity();
        if (o.minScore && (!a.score || score < *o.minScore))
            continue;
        int level = 0;
        for (const char16_t c : g)
            level += levelOf(pool, c);
        all.push_back({g, score, engineAccepts(a), level});
    }
    std::sort(all.begin(), all.end(), [](const Expected& a, const Expected& b) {
        if (a.score != b.score)
            return a.score > b.score;
        if (a.acceptable != b.acceptable)
            return a.acceptable;
        if (a.commonness != b.commonness)
            return a.commonness < b.commonness;
        return a.given < b.given;
    });
    return all;
}

void expectSameRanking(CharacterData& data, const std::vector<PoolCharacter>& pool, SearchOptions o,
                       std::size_t top) {
    const std::vector<Expected> expected = everyName(data, pool, o);
    ASSERT_FALSE(expected.empty()) << "the options leave nothing to compare";
    o.top = top;
    const SearchResult r = searchNames(data, pool, o);
    ASSERT_EQ(r.total, expected.size()) << toUtf8(o.surname);
    ASSERT_EQ(r.hits.size(), std::min(top, expected.size()));
    for (std::size_t i = 0; i < r.hits.size(); ++i) {
        const SearchHit& hit = r.hits[i];
        ASSERT_EQ(hit.rank, i + 1);
        ASSERT_EQ(hit.analysis.name, searchedName(o, expected[i].given))
            << "rank " << i + 1 << " for " << toUtf8(o.surname);
        ASSERT_EQ(hit.acceptable, expected[i].acceptable);
        // What a fresh window shows for the name, surname taken as given.
        ASSERT_EQ(hit.analysis, analyseName(data, hit.analysis.name, searchAnalysisOptions(o)));
    }
}

TEST(NameSearch, RanksEveryNameOfASmallDataSetAsEnumeratingThemDoes) {
    test::DataDir dir;
    dir.writeSample();
    CharacterData data(dir.path());
    const auto pool = searchPool(data, PoolKind::allListed);
    ASSERT_GT(pool.size(), 20u);
    for (const std::u16string_view surname : {u"王", u"欧阳", u"诸葛", u"丁王朱"}) {
        SearchOptions o;
        o.surname = surname;
        expectSameRanking(data, pool, o, 100000);
        o.givenLength = 1;
        expectSameRanking(data, pool, o, 7);
    }
    SearchOptions company;
    company.company = true;
    company.suffix = u"马";
    expectSameRanking(data, pool, company, 100000);
}

TEST(NameSearch, RanksTheShippedCharactersAsEnumeratingThemDoes) {
    CharacterData data(test::shippedData());
    const auto pool = searchPool(data, PoolKind::nameWorthy);
    ASSERT_GT(pool.size(), 3000u);

    SearchOptions o;
    o.surname = u"欧阳";
    o.givenLength = 1;
    expectSameRanking(data, pool, o, 200);

    o.surname = u"张";
    o.givenLength = 2;
    o.keep = u'子';
    o.keepAt = 2;
    expectSameRanking(data, pool, o, 120);

    // Both places free, over part of the pool so that enumerating stays quick.
    const std::vector<PoolCharacter> part(pool.begin(), pool.begin() + 900);
    o.keep.reset();
    o.attributes = u"水木";
    o.exclude = u"江河";
    o.minScore = 89;
    expectSameRanking(data, part, o, 80);

    SearchOptions company;
    company.company = true;
    company.surname = u"沐梧";
    company.suffix = u"科技";
    company.givenLength = 1;
    company.keep.reset();
    expectSameRanking(data, pool, company, 60);
}

TEST(NameSearch, HonoursEveryOption) {
    CharacterData data(test::shippedData());
    const auto pool = searchPool(data, PoolKind::nameWorthy);
    SearchOptions o;
    o.surname = u"李";
    o.keep = u'明';
    o.keepAt = 1;
    o.exclude = u"亮";
    o.attributes = u"火";
    o.top = 500;
    const SearchResult r = searchNames(data, pool, o);
    ASSERT_FALSE(r.hits.empty());
    for (const SearchHit& h : r.hits) {
        ASSERT_EQ(h.analysis.given.size(), 2u);
        EXPECT_EQ(h.analysis.given[0], u'明');
        EXPECT_NE(h.analysis.given[1], u'亮');
        EXPECT_EQ(h.analysis.attribute.substr(1, 1), u"火");
    }
    // Scores never rise down the list.
    for (std::size_t i = 1; i < r.hits.size(); ++i)
        EXPECT_GE(numberOf(*r.hits[i - 1].analysis.score), numberOf(*r.hits[i].analysis.score));

    o.attributes = u"土";  // 明 is 火: nothing can qualify
    EXPECT_EQ(searchNames(data, pool, o).total, 0u);

    // Every listed character is a candidate with --all-chars, the everyday ones by default.
    EXPECT_GT(searchPool(data, PoolKind::allListed).size(), 2 * pool.size());
    EXPECT_TRUE(std::all_of(pool.begin(), pool.end(),
                            [](const PoolCharacter& c) { return c.commonness == 1; }));
}

using EngineVerdict = test::EngineTest;

// The rule the ranking uses is the naming engine's own: each name is put to the engine as its
// first candidate and taken at once exactly when engineAccepts says so, for every stroke count
// in each place and in each mode the engine has.
TEST_F(EngineVerdict, IsWhatEngineAcceptsSays) {
    useData(test::shippedData());
    std::map<int, char16_t> withStrokes;  // one character of each count, as the analysis counts
    for (const PoolCharacter& c : searchPool(data(), PoolKind::allListed))
        withStrokes.try_emplace(c.strokes, c.c);
    ASSERT_EQ(withStrokes.size(), static_cast<std::size_t>(kMaxStrokes));

    struct Mode {
        std::u16string prefix, suffix;
        int characters;
    };
    for (const Mode& mode : {Mode{u"李", u"", 2}, Mode{u"王", u"", 1}, Mode{u"欧阳", u"", 1},
                             Mode{u"丁王朱", u"", 2}, Mode{u"", u"科技", 2}, Mode{u"", u"", 1}}) {
        SearchOptions o;
        o.surname = mode.prefix;
        o.company = mode.prefix.empty();
        NamingSettings settings;
        settings.prefix = mode.prefix;
        settings.suffix = mode.suffix;
        settings.count = mode.characters == 1 ? u"1" : u"2";
        settings.limit = u"1";
        settings.词义 = 0;
        // After the name under test, one the engine took before, so that a refusal costs one
        // more candidate rather than a whole run.
        std::optional<std::u16string> taken;
        int accepted = 0, refused = 0;
        for (const auto& [k1, c1] : withStrokes) {
            for (const auto& [k2, c2] : withStrokes) {
                if (mode.characters == 1 && k2 > 1)
                    break;
                std::u16string given(1, c1);
                if (mode.characters == 2)
                    given += c2;
                std::size_t draws = 0;
                PoolSource pools = [&](int) {
                    const std::size_t i = draws++;
                    const std::u16string& from = i < given.size() || !taken ? given : *taken;
                    return std::u16string(1, from[i % from.size()]);
                };
                test::ScriptedRandom random({0.0f});
                const test::RunRecord r = run(settings, random, {}, pools);
                const std::u16string name = mode.prefix + given + mode.suffix;
                ASSERT_EQ(r.attempts.front().name, name);
                const bool engine =
                    r.result.outcome == RunOutcome::accepted && r.result.attempts == 1;
                ASSERT_EQ(engine,
                          engineAccepts(analyseName(data(), name, searchAnalysisOptions(o))))
                    << toUtf8(name) << ", strokes " << k1 << " " << k2;
                if (engine && !taken)
                    taken = given;
                ++(engine ? accepted : refused);
            }
        }
        EXPECT_GT(accepted, 0) << toUtf8(mode.prefix + mode.suffix);
        EXPECT_GT(refused, 0) << toUtf8(mode.prefix + mode.suffix);
    }
}

TEST(NameSearch, RefusesOptionsItCannotSearch) {
    SearchOptions o;
    EXPECT_NE(searchOptionsProblem(o), "");  // no surname for a person
    o.surname = u"王";
    EXPECT_EQ(searchOptionsProblem(o), "");
    o.givenLength = 3;
    EXPECT_NE(searchOptionsProblem(o), "");
    o.givenLength = 1;
    o.keep = u'子';
    o.keepAt = 2;
    EXPECT_NE(searchOptionsProblem(o), "");
    o.keepAt = 1;
    o.attributes = u"金木";
    EXPECT_NE(searchOptionsProblem(o), "");
    o.attributes = u"铁";
    EXPECT_NE(searchOptionsProblem(o), "");
    o.attributes = u"金";
    o.suffix = u"科技";
    EXPECT_NE(searchOptionsProblem(o), "");  // a suffix belongs to a company
    o.company = true;
    EXPECT_EQ(searchOptionsProblem(o), "");
    o.surname = u"";
    EXPECT_EQ(searchOptionsProblem(o), "");
}

}  // namespace
}  // namespace muwu
