#include "controls/colour.h"

#include <gtest/gtest.h>

namespace muwu::controls {
namespace {

TEST(Channels, SplitAndRebuildRedInTheLowByte) {
    EXPECT_EQ(rgb(0, 128, 128), 0x808000);
    EXPECT_EQ(channels(0x808000), (Channels{0, 128, 128}));
    EXPECT_EQ(channels(rgb(1, 2, 3)), (Channels{1, 2, 3}));
    EXPECT_EQ(up(200, 96), 255);
    EXPECT_EQ(down(20, 32), 0);
    EXPECT_FALSE(paintable(-2147483633));  // a system colour with the high bit set
    EXPECT_FALSE(paintable(0x1000000));
}

TEST(Channels, HalvesRoundToEven) {
    EXPECT_EQ(roundChannel(0.5), 0);
    EXPECT_EQ(roundChannel(1.5), 2);
    EXPECT_EQ(roundChannel(178.5), 178);
    EXPECT_EQ(roundChannel(229.5), 230);
}

struct FaceRow {
    const char* name;
    FaceInputs in;
    bool flat;
    Colour background, pressed, disabled;
    Channels staticBase;
    Colour outer, inner, caption;
};

class DerivedColours : public ::testing::TestWithParam<FaceRow> {};

TEST_P(DerivedColours, FollowTheBaseColour) {
    const FaceRow& r = GetParam();
    const FaceColours f = faceColours(r.in);
    EXPECT_EQ(f.flat, r.flat);
    EXPECT_EQ(f.background, r.background);
    EXPECT_EQ(f.pressed, r.pressed);
    EXPECT_EQ(f.disabled, r.disabled);
    EXPECT_EQ(f.staticBase, r.staticBase);
    EXPECT_EQ(f.outerBorder, r.outer);
    EXPECT_EQ(f.innerBorder, r.inner);
    EXPECT_EQ(f.caption, r.caption);
}

// clang-format off: one look a line, the columns in FaceRow's order.
INSTANTIATE_TEST_SUITE_P(Looks, DerivedColours, ::testing::Values(
    FaceRow{"teal", {0x808000, 18, false, true, false, 0x0000FF}, false, rgb(16, 144, 144), rgb(0, 96, 96), rgb(225, 255, 255), {18, 146, 146}, 0x404040, rgb(96, 224, 224), 0x0000FF},
    FaceRow{"toolbar_outside", {0x808000, 18, true, true, false, 0}, true, rgb(0, 128, 128), rgb(0, 96, 96), rgb(225, 255, 255), {0, 128, 128}, rgb(32, 160, 160), rgb(96, 224, 224), 0},
    FaceRow{"toolbar_hovered", {0x808000, 50, true, true, true, 0}, false, rgb(0, 128, 128), rgb(0, 96, 96), rgb(225, 255, 255), {50, 178, 178}, 0x404040, rgb(96, 224, 224), 0},
    FaceRow{"disabled", {0x808000, 18, false, false, false, 0}, false, rgb(16, 144, 144), rgb(0, 96, 96), rgb(225, 255, 255), {18, 146, 146}, 0x808080, rgb(96, 224, 224), rgb(192, 192, 192)},
    FaceRow{"disabled_flat", {0x808000, 18, true, false, false, 0}, true, rgb(0, 128, 128), rgb(0, 96, 96), rgb(225, 255, 255), {0, 128, 128}, rgb(32, 160, 160), rgb(96, 224, 224), rgb(192, 192, 192)},
    FaceRow{"bright_clamped", {rgb(250, 10, 0), 300, false, true, false, 0}, false, rgb(255, 26, 16), rgb(218, 0, 0), rgb(255, 235, 225), {255, 255, 255}, 0x404040, rgb(255, 106, 96), 0},
    FaceRow{"dark_clamped", {rgb(250, 10, 0), -300, false, true, false, 0}, false, rgb(255, 26, 16), rgb(218, 0, 0), rgb(255, 235, 225), {0, 0, 0}, 0x404040, rgb(255, 106, 96), 0}),
    [](const auto& row) { return std::string(row.param.name); });
// clang-format on

TEST(Strips, PressedAndDisabledAreOneColour) {
    EXPECT_EQ(pressedStrip(rgb(0, 96, 96)), (std::vector<Colour>{rgb(0, 96, 96), rgb(0, 96, 96)}));
    EXPECT_EQ(disabledStrip(7, 3), (std::vector<Colour>{7, 7, 7}));
    EXPECT_EQ(disabledStrip(7, 0).size(), 1u);
}

struct StripRow {
    const char* name;
    Channels base;
    int height;
    int row;
    Colour expected;
};

class StaticStrip : public ::testing::TestWithParam<StripRow> {};

TEST_P(StaticStrip, RowsRunFromWhiteThroughTheBaseToHalfWayBack) {
    const StripRow& r = GetParam();
    const std::vector<Colour> rows = staticStrip(r.base, r.height, true);
    ASSERT_EQ(rows.size(), static_cast<std::size_t>(r.height));
    EXPECT_EQ(rows[static_cast<std::size_t>(r.row)], r.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, StaticStrip,
    ::testing::Values(StripRow{"top", {18, 146, 146}, 30, 0, rgb(255, 255, 255)},
                      StripRow{"second", {18, 146, 146}, 30, 1, rgb(239, 248, 248)},
                      StripRow{"middle_is_the_base", {18, 146, 146}, 30, 15, rgb(18, 146, 146)},
                      StripRow{"bottom", {18, 146, 146}, 30, 29, rgb(129, 197, 197)},
                      StripRow{"odd_top", {18, 146, 146}, 25, 0, rgb(255, 255, 255)},
                      StripRow{"odd_middle", {18, 146, 146}, 25, 12, rgb(27, 150, 150)},
                      StripRow{"odd_bottom", {18, 146, 146}, 25, 24, rgb(137, 201, 201)},
                      StripRow{"half_rounds_up_to_even", {0, 0, 0}, 20, 1, rgb(230, 230, 230)},
                      StripRow{"half_rounds_down_to_even", {0, 0, 0}, 20, 3, rgb(178, 178, 178)},
                      StripRow{"black_bottom", {0, 0, 0}, 20, 19, rgb(115, 115, 115)}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(StaticStrip, WhiteAtFullBrightnessIsWhiteThroughout) {
    for (Colour c : staticStrip({255, 255, 255}, 28, true))
        EXPECT_EQ(c, 0xFFFFFF);
}

TEST(StaticStrip, NotDrawnBelowSixteenBitsPerPixel) {
    EXPECT_TRUE(staticStrip({18, 146, 146}, 30, false).empty());
}

TEST(CacheKey, ColourHeightInTwipsAndBrightness) {
    EXPECT_EQ(cacheKey(8421376, 375, 18), "8421376_375_18");
    EXPECT_EQ(cacheKey(8421376, 337.5, -20), "8421376_337.5_-20");
    EXPECT_EQ(cacheKey(0, 450, 332), "0_450_332");
}

}  // namespace
}  // namespace muwu::controls

namespace muwu::controls {
namespace {

TEST(Stretch, EachFaceRowShowsTheStripRowUnderItsCentre) {
    EXPECT_EQ(stretchSourceRow(0, 27, 30), 0);
    EXPECT_EQ(stretchSourceRow(13, 27, 30), 15);  // the middle row of the gradient is shown
    EXPECT_EQ(stretchSourceRow(26, 27, 30), 29);
    EXPECT_EQ(stretchSourceRow(0, 25, 2), 0);
    EXPECT_EQ(stretchSourceRow(24, 25, 2), 1);
    EXPECT_EQ(stretchSourceRow(99, 25, 2), 1);  // never beyond the strip
    EXPECT_EQ(stretchSourceRow(3, 25, 0), 0);
}

}  // namespace
}  // namespace muwu::controls
