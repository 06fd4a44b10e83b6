#include "update/version_compare.h"

#include <gtest/gtest.h>

namespace muwu {
namespace {

struct OrderCase {
    const char* name;
    std::u16string_view a;
    std::u16string_view b;
    std::optional<int> order;
};

class CompareVersionsTest : public ::testing::TestWithParam<OrderCase> {};

TEST_P(CompareVersionsTest, NumericComponentByComponent) {
    const OrderCase& c = GetParam();
    EXPECT_EQ(compareVersions(c.a, c.b), c.order);
    // The order is antisymmetric.
    const auto back = compareVersions(c.b, c.a);
    if (c.order) {
        EXPECT_EQ(back, -*c.order);
    } else {
        EXPECT_EQ(back, std::nullopt);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Orders, CompareVersionsTest,
    ::testing::Values(OrderCase{"ShortRevisionIsSmaller", u"3.0.3", u"3.0.28", -1},
                      OrderCase{"NextRevision", u"3.0.28", u"3.0.29", -1},
                      OrderCase{"MinorBeatsRevision", u"3.0.29", u"3.1", -1},
                      OrderCase{"Major", u"3.9.99", u"4.0.0", -1},
                      OrderCase{"Equal", u"3.0.28", u"3.0.28", 0},
                      OrderCase{"MissingComponentIsZero", u"3.1", u"3.1.0", 0},
                      OrderCase{"LeadingZeros", u"3.00.0028", u"3.0.28", 0},
                      OrderCase{"LongNumbers", u"3.0.99999999999999999999",
                                u"3.0.100000000000000000000", -1},
                      OrderCase{"Letter", u"3.0.28", u"3.0.2a", std::nullopt},
                      OrderCase{"EmptyComponent", u"3..28", u"3.0.28", std::nullopt},
                      OrderCase{"TrailingDot", u"3.0.", u"3.0.28", std::nullopt},
                      OrderCase{"Empty", u"", u"3.0.28", std::nullopt}),
    [](const auto& row) { return std::string(row.param.name); });

struct NewerCase {
    const char* name;
    std::u16string_view token;
    bool newer;
};

class ServerIsNewerTest : public ::testing::TestWithParam<NewerCase> {};

TEST_P(ServerIsNewerTest, AgainstTheRunning3_0_28) {
    EXPECT_EQ(serverIsNewer(u"3.0.28", GetParam().token), GetParam().newer);
}

INSTANTIATE_TEST_SUITE_P(
    Tokens, ServerIsNewerTest,
    ::testing::Values(
        NewerCase{"Next", u"V3.0.29", true}, NewerCase{"Minor", u"V3.1", true},
        NewerCase{"OtherMarker", u"v3.0.29", true}, NewerCase{"Same", u"V3.0.28", false},
        // A string comparison would call this one newer and offer a downgrade.
        NewerCase{"OlderButLongerAsText", u"V3.0.3", false}, NewerCase{"Older", u"V2.9.99", false},
        NewerCase{"NoMarkerLosesTheFirstDigit", u"3.0.29", false},
        NewerCase{"MarkerOnly", u"V", false}, NewerCase{"Empty", u"", false},
        NewerCase{"Garbage", u"V三点零", false}, NewerCase{"Suffix", u"V3.0.29beta", false}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace muwu
