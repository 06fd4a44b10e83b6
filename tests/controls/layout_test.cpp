#include <gtest/gtest.h>

#include "controls/button_layout.h"
#include "controls/property_bag.h"

namespace muwu::controls {
namespace {

// An 84 × 28 pixel button, a caption of 24 × 14 and an icon of 16 × 16.
LayoutInputs inputs(int position, bool picture = true, bool caption = true) {
    LayoutInputs in;
    in.widthPx = 84;
    in.heightPx = 28;
    in.captionW = 24;
    in.captionH = 14;
    in.iconW = 16;
    in.iconH = 16;
    in.hasPicture = picture;
    in.captionEmpty = !caption;
    in.picturePosition = position;
    in.caption = {-1, -1};
    in.icon = {-2, -2};
    return in;
}

struct PlaceRow {
    const char* name;
    LayoutInputs in;
    PointF caption, icon;
};

class Places : public ::testing::TestWithParam<PlaceRow> {};

TEST_P(Places, OfCaptionAndIcon) {
    const ButtonLayout l = layoutButton(GetParam().in);
    EXPECT_EQ(l.caption, GetParam().caption);
    EXPECT_EQ(l.icon, GetParam().icon);
}

INSTANTIATE_TEST_SUITE_P(
    PicturePositions, Places,
    ::testing::Values(PlaceRow{"no_picture", inputs(0, false), {29.5, 6.5}, {-2, -2}},
                      PlaceRow{"above", inputs(0), {29.5, 9}, {33.5, -3.5}},
                      PlaceRow{
                          "above_without_caption", inputs(0, true, false), {29.5, 9}, {33.5, 6}},
                      PlaceRow{"top_edge", inputs(1), {29.5, 11}, {33.5, 1}},
                      PlaceRow{"caption_on_top", inputs(2), {29.5, 4}, {33.5, 10}},
                      PlaceRow{"icon_left", inputs(3), {38, 7}, {4, 6}},
                      PlaceRow{"icon_right", inputs(4), {22, 7}, {64, 6}},
                      PlaceRow{"other_value_keeps_places", inputs(7), {-1, -1}, {-2, -2}}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(Layout, FramesAndWholePixels) {
    LayoutInputs in = inputs(0, false);
    in.widthPx = 84.5;
    in.heightPx = 27.5;
    const ButtonLayout l = layoutButton(in);
    EXPECT_EQ(l.widthPx, 84);  // halves to even
    EXPECT_EQ(l.heightPx, 28);
    EXPECT_DOUBLE_EQ(l.outerW, 83.5);  // fractional pixels stay fractional
    EXPECT_DOUBLE_EQ(l.innerW, 81.5);
    EXPECT_DOUBLE_EQ(l.innerH, 24.5);
}

TEST(Layout, RoundedShapeCutsOnlyTheCorners) {
    const auto rows = roundRectSpans(10, 6, 5);
    ASSERT_EQ(rows.size(), 6u);
    EXPECT_EQ(rows[0], (Span{1, 9}));
    EXPECT_EQ(rows[1], (Span{0, 10}));
    EXPECT_EQ(rows[4], (Span{0, 10}));
    EXPECT_EQ(rows[5], (Span{1, 9}));
    for (const Span& s : roundRectSpans(10, 6, 0))
        EXPECT_EQ(s, (Span{0, 10}));
    // A corner as large as the button still leaves every row a middle.
    for (const Span& s : roundRectSpans(10, 6, 40))
        EXPECT_LE(s.left, s.right);
}

TEST(PropertyBag, DefaultsAreNotWritten) {
    PropertyBag bag;
    writeButtonProperties(bag, ButtonProperties{});
    EXPECT_TRUE(bag.entries().empty());
    EXPECT_EQ(readButtonProperties(bag), ButtonProperties{});
}

TEST(PropertyBag, RoundTripInTheStoresOrder) {
    ButtonProperties p;
    p.toolbar = true;
    p.faceColour = rgb(10, 20, 30);
    p.brightness = -40;
    p.cornerSize = 9;
    p.caption = u"报表";
    p.captionColour = rgb(255, 0, 0);
    p.picturePosition = 3;
    p.iconMaskColour = 0xFF00FF;
    p.enabled = false;
    p.picture.bytes = "PNG";
    PropertyBag bag;
    writeButtonProperties(bag, p);
    std::vector<std::u16string> keys;
    for (const auto& e : bag.entries())
        keys.push_back(e.first);
    EXPECT_EQ(keys, (std::vector<std::u16string>{u"是工具棒", u"按键颜色", u"按键的亮度",
                                                 u"圆角宽度", u"Caption", u"标题色", u"图片的位置",
                                                 u"图案.BackColor", u"有效", u"Picture"}));
    EXPECT_EQ(readButtonProperties(bag), p);

    // Back to a default: the key goes.
    p.caption.clear();
    writeButtonProperties(bag, p);
    EXPECT_FALSE(bag.contains(u"Caption"));
    EXPECT_EQ(readButtonProperties(bag).caption, u"");
}

TEST(PropertyBag, AValueOfTheWrongKindReadsAsTheDefault) {
    PropertyBag bag;
    bag.write<std::u16string>(u"按键颜色", u"teal", u"");
    EXPECT_EQ(readButtonProperties(bag).faceColour, kDefaultFaceColour);
}

}  // namespace
}  // namespace muwu::controls
