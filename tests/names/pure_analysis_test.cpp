// The analysis computed from stroke counts alone against the form driven through its events: equal
// on every kind of name, with every option, on the shipped data and on a small odd data set.
#include <gtest/gtest.h>

#include <random>

#include "names/analysis.h"
#include "names/score.h"
#include "platform/text.h"
#include "tests/support/data_dir.h"

namespace muwu {
namespace {

Analysis throughTheForm(CharacterData& data, std::u16string_view name, const AnalysisOptions& o) {
    MainForm form(data);
    form.load();
    pasteName(form, name, o);
    return readAnalysis(form);
}

std::string describe(std::u16string_view name, const AnalysisOptions& o) {
    std::string d = "name \"" + toUtf8(name) + "\" (" + std::to_string(name.size()) + " units)";
    if (o.company)
        d += " company";
    if (!o.autoRecognition)
        d += " no-auto";
    if (o.surnameLength)
        d += " surname-length " + std::to_string(*o.surnameLength);
    return d;
}

// Names of the kinds users type and of the kinds they should not: listed characters, double
// surnames, characters in no list, spaces, brackets, supplementary-plane characters and lone
// halves of them.
class NameMaker {
  public:
    explicit NameMaker(CharacterData& data, unsigned seed) : rng_(seed) {
        for (int k = 1; k <= kMaxStrokes; ++k)
            listed_ += data.strokePool(k);
    }

    std::u16string name() {
        std::u16string n;
        switch (pick(8)) {
            case 0:  // a double surname (listed or not) and a given name
                n = pick(2) ? u"欧阳" : u"诸葛";
                break;
            case 1:
                n = pick(2) ? u"司马" : u"王李";
                break;
            default:
                break;
        }
        const std::size_t length = pick(3) == 0 ? pick(13) : 1 + pick(4);
        for (std::size_t i = 0; i < length; ++i)
            add(n);
        return n;
    }

    AnalysisOptions options() {
        AnalysisOptions o;
        o.company = pick(4) == 0;
        o.autoRecognition = pick(3) != 0;
        if (pick(2))
            o.surnameLength = static_cast<int>(pick(13));  // 0 and 11, 12 are held to 1…10
        return o;
    }

  private:
    static constexpr std::u16string_view kOdd = u"abc （）“ 1\t";

    std::size_t pick(std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng_);
    }

    void add(std::u16string& n) {
        switch (pick(12)) {
            case 0:
                n += kOdd[pick(kOdd.size())];
                break;
            case 1:  // a supplementary-plane character, or half of one
                if (pick(3) == 0) {
                    n += static_cast<char16_t>(0xD800 + pick(0x800));
                } else {
                    n += u"𠀀";
                    n.back() = static_cast<char16_t>(0xDC00 + pick(0x400));
                }
                break;
            case 2:  // a character in no list
                n += static_cast<char16_t>(0x3400 + pick(0x100));
                break;
            default:
                n += listed_[pick(listed_.size())];
        }
    }

    std::mt19937 rng_;
    std::u16string listed_;
};

void compareMany(CharacterData& data, unsigned seed, int count) {
    NameMaker maker(data, seed);
    for (int i = 0; i < count; ++i) {
        const std::u16string name = maker.name();
        const AnalysisOptions o = maker.options();
        const Analysis expected = throughTheForm(data, name, o);
        const Analysis pure = analyseName(data, name, o);
        ASSERT_EQ(pure, expected) << describe(name, o) << "\nform score "
                                  << toUtf8(expected.score.value_or(u"null")) << ", pure score "
                                  << toUtf8(pure.score.value_or(u"null"));
    }
}

TEST(PureAnalysis, EqualsTheFormOnRandomNamesWithTheShippedData) {
    CharacterData data(test::shippedData());
    compareMany(data, 20261208, 30000);
}

TEST(PureAnalysis, EqualsTheFormOnOddData) {
    // The empty text counts 2 strokes here, so a surname length beyond the name gives 外格 below
    // zero, which leaves the text the paste itself wrote.
    test::DataDir dir;
    dir.writeSample();
    CharacterData data(dir.path());
    compareMany(data, 7, 20000);

    const AnalysisOptions longSurname{false, 3, true};
    for (const std::u16string_view name : {u"丁x", u"丁二", u"x", u"丁", u"xy", u"欧阳", u"𠀀丁"}) {
        ASSERT_EQ(analyseName(data, name, longSurname), throughTheForm(data, name, longSurname))
            << describe(name, longSurname);
    }
    const Analysis a = analyseName(data, u"丁x", longSurname);
    EXPECT_EQ(a.outer, -2);
    EXPECT_EQ(a.outerClass, LuckClass::misfortune);  // entry 2, from the paste at length 1
}

TEST(PureAnalysis, KnownNamesAndTheFreshWindow) {
    CharacterData data(test::shippedData());
    const Analysis a = analyseName(data, u"欧阳修", {});
    EXPECT_EQ(a.surname, u"欧阳");
    EXPECT_EQ(a.surnameLength, 2);
    EXPECT_EQ(a.score, u"81");
    EXPECT_EQ(analyseName(data, u"张三丰", {}).sancai, sancaiOf(12, 14, 21));

    const Analysis empty = analyseName(data, u"", {});
    EXPECT_FALSE(empty.total || empty.score);
    EXPECT_EQ(empty.attribute, u"");

    const Analysis unknown = analyseName(data, u"abc", {});
    EXPECT_FALSE(unknown.total || unknown.heaven || unknown.score || unknown.sancai);  // nothing to count
    EXPECT_FALSE(analyseName(data, u"欧阳", {false, 2, true}).sancai);  // grids, no given name

    const Analysis company = analyseName(data, u"沐梧科技", {true, std::nullopt, true});
    EXPECT_TRUE(company.company);
    EXPECT_FALSE(company.heaven || company.sancai);
    EXPECT_TRUE(company.score == u"100" || company.score == u"85" || company.score == u"50");
}

// The score from the counts of 吉 and 凶 equals stepping through the five boxes in their order,
// whatever that order is.
TEST(PureAnalysis, ScoreDependsOnlyOnTheClassCounts) {
    const unsigned kinds[3] = {0, kHasLuck, kHasMisfortune};
    for (int pattern = 0; pattern < 243; ++pattern) {
        std::u16string score = u"100";
        int luck = 0, misfortune = 0;
        for (int box = 0, p = pattern; box < 5; ++box, p /= 3) {
            const unsigned m = kinds[p % 3];
            score = scoreStepByMarkers(score, m);
            luck += m == kHasLuck;
            misfortune += m == kHasMisfortune;
        }
        EXPECT_EQ(personalScore(luck, misfortune), roundedScore(score)) << pattern;
    }
    EXPECT_EQ(personalScore(0, 0), u"100");
    EXPECT_EQ(personalScore(1, 0), u"99.8");
    EXPECT_EQ(personalScore(1, 2), u"80.9");
    EXPECT_EQ(personalScore(0, 5), u"59");
}

}  // namespace
}  // namespace muwu
