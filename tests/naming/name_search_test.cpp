// The ranked search against enumerating every name and sorting by the documented order.
#include "naming/name_search.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <map>
#include <optional>
#include <set>
#include <tuple>

#include "lexicon/sound_rules.h"
#include "names/score.h"
#include "naming/supply.h"
#include "platform/text.h"
#include "tests/naming/engine_fixture.h"
#include "tests/support/data_dir.h"

namespace muwu {
namespace {

struct Expected {
    std::u16string given;
    double score;
    bool acceptable;
    int sancai;   // higher first: 0 none, then 凶 平 吉
    int supply;   // wanted elements brought, more first
    bool listed;  // one of the editors' names that go together
    int quality;
    std::uint64_t order[2];
};

// Every given name the options allow, analysed one by one and put in the documented order:
// score, acceptance, 三才, wanted elements, listed names first, quality, then variety over the
// shuffle. A listed name of the other gender is no candidate.
std::vector<Expected> everyName(CharacterData& data, const std::vector<PoolCharacter>& pool,
                                const SearchOptions& o) {
    std::vector<std::u16string> choices[2];
    for (int p = 0; p < o.givenLength; ++p) {
        auto& list = choices[p];
        const bool fixed = o.keep && o.keepAt == p + 1;
        if (fixed) {
            list.push_back(std::u16string(1, *o.keep));
        } else {
            for (const PoolCharacter& c : pool) {
                if (searchAdmits(o, c))
                    list.push_back(std::u16string(1, c.c));
            }
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
        NameSound sound =
            nameSound(o.surname, g, o.company ? std::u16string_view(o.suffix) : u"", !o.company);
        if (o.keep)
            sound.fixedInGiven = sound.givenBegin + static_cast<std::size_t>(o.keepAt - 1);
        if (!judgeSound(sound).ok())
            continue;
        const Analysis a = analyseName(data, searchedName(o, g), searchAnalysisOptions(o));
        const double score =
            a.score ? numberOf(*a.score) : -std::numeric_limits<double>::infinity();
        if (o.minScore && (!a.score || score < *o.minScore))
            continue;
        if (!o.company && o.sancaiAtLeast && (!a.sancai || a.sancai->verdict < *o.sancaiAtLeast))
            continue;
        std::u16string attributes;
        for (const char16_t c : g)
            attributes += data.strokes(std::u16string(1, c)).attribute;
        const NamePair* pair = o.company || g.size() != 2 ? nullptr : namePair(g[0], g[1]);
        if (pair && !suits(pair->gender, o.gender))
            continue;
        all.push_back({g,
                       score,
                       engineAccepts(a),
                       a.sancai ? 1 + static_cast<int>(a.sancai->verdict) : 0,
                       suppliedCount(o.supply, attributes),
                       pair != nullptr,
                       nameQuality(o, g),
                       {shuffleOrder(o, 0, g[0]), g.size() > 1 ? shuffleOrder(o, 1, g[1]) : 0}});
    }
    std::sort(all.begin(), all.end(), [](const Expected& a, const Expected& b) {
        return std::tuple(-a.score, !a.acceptable, -a.sancai, -a.supply, !a.listed, a.quality,
                          a.order[0], a.order[1], a.given) <
               std::tuple(-b.score, !b.acceptable, -b.sancai, -b.supply, !b.listed, b.quality,
                          b.order[0], b.order[1], b.given);
    });

    // Variety, group by group of equal keys before it: passes over the group,
    // each taking the names whose chosen characters are used fewer than cap times so far.
    std::map<char16_t, std::uint32_t> uses;
    auto chosen = [&](std::size_t p) {
        return !(o.keep && static_cast<std::size_t>(o.keepAt) == p + 1);
    };
    std::vector<Expected> ordered;
    for (std::size_t g = 0; g < all.size();) {
        std::size_t end = g;
        while (end < all.size() && all[end].score == all[g].score &&
               all[end].acceptable == all[g].acceptable && all[end].sancai == all[g].sancai &&
               all[end].supply == all[g].supply && all[end].listed == all[g].listed &&
               all[end].quality == all[g].quality)
            ++end;
        std::vector<Expected> left(all.begin() + static_cast<std::ptrdiff_t>(g),
                                   all.begin() + static_cast<std::ptrdiff_t>(end));
        for (std::uint32_t cap = 2; !left.empty(); cap *= 2) {
            std::vector<Expected> held;
            for (const Expected& e : left) {
                bool fresh = true;
                for (std::size_t p = 0; p < e.given.size(); ++p)
                    fresh = fresh && (!chosen(p) || uses[e.given[p]] < cap);
                if (!fresh) {
                    held.push_back(e);
                    continue;
                }
                for (std::size_t p = 0; p < e.given.size(); ++p) {
                    if (chosen(p))
                        ++uses[e.given[p]];
                }
                ordered.push_back(e);
            }
            left = std::move(held);
        }
        g = end;
    }
    return ordered;
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
            << "rank " << i + 1 << " for " << toUtf8(o.surname) << ": "
            << toUtf8(searchedName(o, expected[i].given)) << " expected";
        ASSERT_EQ(hit.acceptable, expected[i].acceptable);
        // What a fresh window shows for the name, surname taken as given.
        ASSERT_EQ(hit.analysis, analyseName(data, hit.analysis.name, searchAnalysisOptions(o)));
        ASSERT_EQ(hit.pinyin, pinyinOf(hit.analysis));
    }
}

TEST(NameSearch, RanksEveryNameOfASmallDataSetAsEnumeratingThemDoes) {
    test::DataDir dir;
    dir.writeSample();
    CharacterData data(dir.path());
    const auto pool = searchPool(data, PoolKind::allListed);
    ASSERT_GT(pool.size(), 20u);
    for (const std::u16string_view surname : {u"王", u"欧阳", u"诸葛", u"丁王朱", u"李"}) {
        SearchOptions o;
        o.surname = surname;
        expectSameRanking(data, pool, o, 100000);
        o.givenLength = 1;
        expectSameRanking(data, pool, o, 7);
        o.givenLength = 2;
        o.keep = u'明';
        o.keepAt = 2;
        expectSameRanking(data, pool, o, 100000);
        // Only 平 or better, then only 吉: the total counts exactly the names left.
        o.keep.reset();
        for (const SancaiClass floor : {SancaiClass::middling, SancaiClass::luck}) {
            o.sancaiAtLeast = floor;
            expectSameRanking(data, pool, o, 100000);
        }
        o.sancaiAtLeast.reset();
        // Names bringing both wanted elements, then one, then none; one place, then both.
        o.supply = u"水金";
        expectSameRanking(data, pool, o, 100000);
        o.givenLength = 1;
        expectSameRanking(data, pool, o, 100000);
        o.givenLength = 2;
        o.supply.clear();
    }
    SearchOptions company;
    company.company = true;
    company.suffix = u"马";
    company.sancaiAtLeast = SancaiClass::luck;  // a company has no 三才: nothing is left out
    expectSameRanking(data, pool, company, 100000);
}

TEST(NameSearch, RanksTheShippedCharactersAsEnumeratingThemDoes) {
    CharacterData data(test::shippedData());
    const auto pool = searchPool(data, PoolKind::tables);
    ASSERT_GT(pool.size(), 1500u);

    SearchOptions o;
    o.surname = u"欧阳";
    o.givenLength = 1;
    expectSameRanking(data, pool, o, 200);

    o.surname = u"张";
    o.givenLength = 2;
    o.keep = u'子';
    o.keepAt = 2;
    o.allTiers = true;
    expectSameRanking(data, pool, o, 120);

    // Both places free: every name of the first tier for a girl, then for a boy.
    o.keep.reset();
    o.allTiers = false;
    o.surname = u"吴";
    o.gender = Gender::female;
    expectSameRanking(data, pool, o, 300);
    o.surname = u"司马";
    o.gender = Gender::male;
    o.minScore = 89;
    expectSameRanking(data, pool, o, 300);
    o.sancaiAtLeast = SancaiClass::luck;
    expectSameRanking(data, pool, o, 300);
    o.sancaiAtLeast.reset();
    o.supply = u"火木土";  // more wanted than a name can bring
    expectSameRanking(data, pool, o, 300);
    o.supply.clear();

    // Both tiers and no gender, over part of the pool so that enumerating stays quick.
    const std::vector<PoolCharacter> part(pool.begin(), pool.begin() + 700);
    o.gender = Gender::any;
    o.allTiers = true;
    o.surname = u"杨";
    o.attributes = u"水木";
    o.exclude = u"江河";
    o.minScore.reset();
    expectSameRanking(data, part, o, 300);

    SearchOptions company;
    company.company = true;
    company.surname = u"沐梧";
    company.suffix = u"科技";
    expectSameRanking(data, pool, company, 100);
}

TEST(NameSearch, HonoursEveryOption) {
    CharacterData data(test::shippedData());
    const auto pool = searchPool(data, PoolKind::tables);
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

    // Every listed character is a candidate with --all-chars, the tables' by default.
    EXPECT_GT(searchPool(data, PoolKind::allListed).size(), 10 * pool.size());
    EXPECT_TRUE(std::all_of(pool.begin(), pool.end(), [](const PoolCharacter& c) {
        return (c.name || c.firm) && !c.anyCharacter;
    }));
}

// What a parent sees first: lists of 30 for many surnames and both genders, varied, without a
// name that breaks a sound rule or a character leaning the other way, the same at every run.
TEST(NameSearch, TopListsAreVariedWellSoundingAndOfTheAskedGender) {
    CharacterData data(test::shippedData());
    const auto pool = searchPool(data, PoolKind::tables);
    for (const std::u16string_view surname :
         {u"李", u"王", u"张", u"刘", u"陈", u"杨", u"吴", u"欧阳", u"诸葛"}) {
        for (const Gender gender : {Gender::male, Gender::female, Gender::any}) {
            SearchOptions o;
            o.surname = surname;
            o.gender = gender;
            o.top = 30;
            const SearchResult r = searchNames(data, pool, o);
            ASSERT_EQ(r.hits.size(), 30u);
            std::set<char16_t> first, last;
            for (const SearchHit& h : r.hits) {
                const std::u16string& g = h.analysis.given;
                SCOPED_TRACE(toUtf8(h.analysis.name));
                first.insert(g[0]);
                last.insert(g[1]);
                EXPECT_TRUE(judgeName(surname, g).ok());
                for (const char16_t c : g) {
                    ASSERT_NE(nameCharacter(c), nullptr);
                    EXPECT_EQ(nameCharacter(c)->tier, kTopTier);
                    EXPECT_TRUE(suits(nameCharacter(c)->lean, gender));
                }
                ASSERT_EQ(h.meanings.size(), 2u);
                EXPECT_FALSE(h.meanings[1].meaning.empty());
            }
            // A better 三才 ranks before variety, and the best group of a surname may hold
            // few characters of the stroke counts it needs (刘, a girl: 100 and 吉 only with
            // first characters of 1, 9 or 18 strokes): variety works within it.
            EXPECT_GE(first.size(), 8u) << toUtf8(surname);
            EXPECT_GE(last.size(), 8u) << toUtf8(surname);
            const SearchResult again = searchNames(data, pool, o);
            for (std::size_t i = 0; i < r.hits.size(); ++i)
                EXPECT_EQ(again.hits[i].analysis.name, r.hits[i].analysis.name);
        }
    }
    // Surnames of one stroke count share their grids but not their lists.
    SearchOptions li, wu;
    li.surname = u"李";
    wu.surname = u"吴";
    li.top = wu.top = 10;
    const SearchResult a = searchNames(data, pool, li), b = searchNames(data, pool, wu);
    int same = 0;
    for (std::size_t i = 0; i < a.hits.size(); ++i)
        same += a.hits[i].analysis.given == b.hits[i].analysis.given;
    EXPECT_LT(same, 3);
}

// The editors' names that go together lead each group of equal score, acceptance and 三才, and
// a girl's list holds none of the boys'.
TEST(NameSearch, ListedNamesLeadTheirGroupAndKeepTheirGender) {
    CharacterData data(test::shippedData());
    const auto pool = searchPool(data, PoolKind::tables);
    for (const std::u16string_view surname : {u"李", u"欧阳"}) {
        SearchOptions o;
        o.surname = surname;
        o.gender = Gender::female;
        o.top = 400;
        const SearchResult r = searchNames(data, pool, o);
        std::size_t listed = 0;
        for (std::size_t i = 0; i < r.hits.size(); ++i) {
            const Analysis& a = r.hits[i].analysis;
            const NamePair* pair = namePair(a.given[0], a.given[1]);
            SCOPED_TRACE(toUtf8(a.name));
            ASSERT_TRUE(!pair || pair->gender != Lean::male);
            listed += pair != nullptr;
            if (i == 0 || !pair)
                continue;
            const Analysis& before = r.hits[i - 1].analysis;
            if (before.score == a.score && before.sancai == a.sancai &&
                r.hits[i - 1].acceptable == r.hits[i].acceptable) {
                EXPECT_NE(namePair(before.given[0], before.given[1]), nullptr);
            }
        }
        EXPECT_GE(listed, 5u) << toUtf8(surname);
    }
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
    o.gender = Gender::female;
    EXPECT_NE(searchOptionsProblem(o), "");  // a company has no gender
}

}  // namespace
}  // namespace muwu
