#include "names/sancai.h"

#include <gtest/gtest.h>

#include "platform/text.h"

namespace muwu {
namespace {

constexpr Element W = Element::wood, F = Element::fire, E = Element::earth, M = Element::metal,
                  A = Element::water;

TEST(Sancai, ElementsFollowTheLastDigit) {
    struct Row {
        long long number;
        Element element;
    };
    for (const Row row : {Row{1, W},
                          {2, W},
                          {3, F},
                          {4, F},
                          {5, E},
                          {6, E},
                          {7, M},
                          {8, M},
                          {9, A},
                          {10, A},
                          {0, A},
                          {11, W},
                          {24, F},
                          {37, M},
                          {80, A},
                          {81, W},
                          {-3, F},
                          {-10, A}}) {
        EXPECT_EQ(elementOf(row.number), row.element) << row.number;
    }
}

// A few rows of the table, read through the same lookup the analysis uses. The middle element
// moves between them, so a table read in another order than 天, 人, 地 gives other classes.
TEST(Sancai, TheTableIsWholeAndReadInItsOrder) {
    EXPECT_EQ(sancaiTableRows(), 125);
    struct Row {
        Element heaven, person, earth;
        SancaiClass verdict;
    };
    for (const Row row : {
             Row{W, F, E, SancaiClass::luck},        // 木生火, 火生土
             Row{E, E, E, SancaiClass::luck},        // 比和 twice
             Row{A, W, A, SancaiClass::luck},        // 水生木 both ways
             Row{W, F, M, SancaiClass::middling},    // 火剋金 below
             Row{F, W, M, SancaiClass::middling},    // 金剋木 below
             Row{W, M, F, SancaiClass::misfortune},  // 金剋木, 火剋金
             Row{A, F, M, SancaiClass::misfortune},  // 水剋火, 火剋金
         }) {
        const Sancai s{row.heaven, row.person, row.earth, row.verdict};
        EXPECT_EQ(sancaiClassOf(row.heaven, row.person, row.earth), row.verdict)
            << toUtf8(elementsText(s));
    }
    // Grid numbers 12, 14, 21 (张三丰): 木火木.
    const Sancai s = sancaiOf(12, 14, 21);
    EXPECT_EQ(elementsText(s), u"木火木");
    EXPECT_EQ(sancaiClassName(s.verdict), u"吉");
}

// A filter keeps a class and the better ones; names read back to the class they show.
TEST(Sancai, ClassesCompareBestLast) {
    EXPECT_LT(SancaiClass::misfortune, SancaiClass::middling);
    EXPECT_LT(SancaiClass::middling, SancaiClass::luck);
    for (const SancaiClass c : {SancaiClass::misfortune, SancaiClass::middling, SancaiClass::luck})
        EXPECT_EQ(sancaiClassNamed(sancaiClassName(c)), c);
    EXPECT_EQ(sancaiClassNamed(u"大吉"), std::nullopt);
    EXPECT_EQ(sancaiClassNamed(u""), std::nullopt);
}

}  // namespace
}  // namespace muwu
