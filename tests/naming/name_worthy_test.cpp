// The name-worthy set the engine draws from by default: what it holds, that it narrows the pools
// without touching the lists, and that seeded runs never propose a radical or a rare character.
#include "naming/name_worthy.h"

#include <algorithm>
#include <functional>
#include <set>

#include "platform/gbk.h"
#include "platform/text.h"
#include "tests/naming/engine_fixture.h"

namespace muwu::test {
namespace {

// Radicals, rare characters, a character of ill omen, particles and the replacement character.
constexpr std::u16string_view kNeverProposed = u"丶冂卝甼玣仫乚亻氵死丧的了吗\uFFFD";

bool level1(char16_t c) {
    const GbkEncoded e = encodeGbk(std::u16string(1, c));
    if (e.unmappable != 0 || e.bytes.size() != 2)
        return false;
    const auto lead = static_cast<unsigned char>(e.bytes[0]);
    return lead >= 0xB0 && lead <= 0xD7;
}

TEST(NameWorthy, EverydayCharactersWithoutRadicalsParticlesOrIllOmen) {
    const std::u16string& all = nameWorthyCharacters();
    EXPECT_GT(all.size(), 3500u);
    EXPECT_LT(all.size(), 3755u);
    EXPECT_EQ(std::set<char16_t>(all.begin(), all.end()).size(), all.size());
    for (const char16_t c : all) {
        EXPECT_TRUE(level1(c)) << toUtf8(std::u16string(1, c));
        EXPECT_TRUE(isNameWorthy(c));
    }
    for (const char16_t c : kNeverProposed)
        EXPECT_FALSE(isNameWorthy(c)) << toUtf8(std::u16string(1, c));
    for (const char16_t c : std::u16string_view(u"伟芳明华熙静浩宇一山龙凤"))
        EXPECT_TRUE(isNameWorthy(c)) << toUtf8(std::u16string(1, c));
    EXPECT_FALSE(isNameWorthy(u'a'));
    EXPECT_FALSE(isNameWorthy(u' '));
}

TEST(NameWorthy, WordModePairsAreNameWorthyToo) {
    // Both generators share their lists, so a pair cut out of a word needs no filter.
    const WordListLoad load =
        loadWordList(shippedData() / std::filesystem::path(toUtf8(kWordListName)));
    ASSERT_EQ(load.status, WordListStatus::ok);
    int words = 0;
    for (const char16_t c : load.words.text()) {
        if (c == u'\r' || c == u'\n') {
            words += c == u'\r';
            continue;
        }
        EXPECT_TRUE(isNameWorthy(c)) << toUtf8(std::u16string(1, c));
    }
    EXPECT_GT(words, 5000);
}

TEST_F(EngineTest, FilteredPoolsServeEveryNameWorthyCharacterAndTheListsKeepTheRest) {
    useData(shippedData());
    const auto pools = nameWorthyPools([this](int n) { return data().strokePool(n); });
    std::set<char16_t> served;
    std::size_t listed = 0;
    for (int k = 1; k <= kMaxStrokes; ++k) {
        const std::u16string full = data().strokePool(k);
        const std::u16string kept = pools(k);
        listed += full.size();
        EXPECT_EQ(kept, nameWorthyOnly(full)) << k;
        for (const char16_t c : kept) {
            EXPECT_TRUE(isNameWorthy(c));
            served.insert(c);
        }
    }
    const std::u16string& all = nameWorthyCharacters();
    EXPECT_EQ(served, std::set<char16_t>(all.begin(), all.end()));
    // Lookups still cover every character, name-worthy or not.
    EXPECT_GT(listed, 20000u);
    for (const char16_t c : std::u16string_view(u"丶冂卝甼玣仫死的"))
        EXPECT_GT(data().strokes(std::u16string(1, c)).strokes, 0) << toUtf8(std::u16string(1, c));
}

// All characters seen in the generated part of the candidates of seeded runs.
std::set<char16_t> drawn(const std::function<RunRecord(UniformRandom&)>& run) {
    std::set<char16_t> seen;
    for (std::uint64_t seed = 1; seed <= 60; ++seed) {
        UniformRandom random([seed] { return seed; });
        for (const Attempt& a : run(random).attempts) {
            for (const char16_t c : std::u16string_view(a.name).substr(1))
                seen.insert(c);
        }
    }
    return seen;
}

TEST_F(EngineTest, SeededRunsProposeOnlyNameWorthyCharactersUnlessAllAreAsked) {
    useData(shippedData());
    NamingSettings s;
    s.prefix = u"张";
    s.count = u"3";
    s.limit = u"3";  // the short lists are where the radicals are
    s.词义 = 0;
    const PoolSource lists = [this](int n) { return data().strokePool(n); };
    const std::set<char16_t> worthy =
        drawn([&](UniformRandom& r) { return run(s, r, {}, nameWorthyPools(lists)); });
    EXPECT_GT(worthy.size(), 20u);
    for (const char16_t c : worthy)
        EXPECT_TRUE(isNameWorthy(c)) << toUtf8(std::u16string(1, c));

    const std::set<char16_t> any = drawn([&](UniformRandom& r) { return run(s, r, {}, lists); });
    EXPECT_TRUE(std::any_of(any.begin(), any.end(), [](char16_t c) { return !isNameWorthy(c); }));
}

TEST_F(EngineTest, APoolLeftEmptyByTheFilterAddsNoCharacter) {
    useSmallData();
    UniformRandom random([] { return 1u; });
    // Only radicals in every list: the candidate is the surname alone, as with an empty list.
    const RunRecord r = run(
        [] {
            NamingSettings s;
            s.prefix = u"张";
            s.count = u"2";
            s.limit = u"9";
            return s;
        }(),
        random, {}, nameWorthyPools([](int) { return std::u16string(u"丶冂卝"); }));
    ASSERT_FALSE(r.attempts.empty());
    EXPECT_EQ(r.attempts[0].name, u"张");
}

}  // namespace
}  // namespace muwu::test
