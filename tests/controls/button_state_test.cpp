#include "controls/button_state.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace muwu::controls {
namespace {

// Records what the button asks of its window, and answers where the window and cursor are.
class Host : public ButtonHost {
  public:
    Rect rect{100, 100, 220, 130};
    Point cursor{0, 0};
    std::vector<std::string> log;
    ButtonState* state = nullptr;
    bool clickSawValue = false;

    Rect windowRect() override { return rect; }
    Point cursorPos() override { return cursor; }
    void relayout() override { log.push_back("layout"); }
    void paint() override {
        log.push_back("paint");
        if (state)
            state->afterPaint();
    }
    void drawHoverFrame() override { log.push_back("hover"); }
    void drawFocusFrame() override { log.push_back("focus"); }
    void restartLeaveTimer() override { log.push_back("timer"); }
    void stopLeaveTimer() override { log.push_back("stop"); }
    void raiseClick() override {
        log.push_back("Click");
        clickSawValue = state && state->value();
    }
    void raiseMouseDown(const MouseArgs&) override { log.push_back("MouseDown"); }
    void raiseMouseMove(const MouseArgs&) override { log.push_back("MouseMove"); }
    void raiseMouseUp(const MouseArgs&) override { log.push_back("MouseUp"); }
    void raiseMouseOut() override { log.push_back("MouseOut"); }

    int count(const std::string& what) const {
        return static_cast<int>(std::count(log.begin(), log.end(), what));
    }
    void inside() { cursor = {160, 115}; }
    void outside() { cursor = {10, 10}; }
};

class ButtonStateTest : public ::testing::Test {
  protected:
    ButtonStateTest() {
        host.state = &state;
        state.setInitialised();
        state.paintRequested();
    }
    void move(float x = 60, float y = 15) { state.mouseMove({0, 0, x, y}, 120, 30); }

    Host host;
    ButtonState state{host, 7};
};

TEST_F(ButtonStateTest, ReleaseInsideClicksThenRaisesMouseUp) {
    host.inside();
    state.mouseDown({1, 0, 5, 5});
    EXPECT_EQ(ButtonState::lastPressedHwnd(), 7);
    state.mouseUp({1, 0, 5, 5});
    const auto click = std::find(host.log.begin(), host.log.end(), "Click");
    ASSERT_NE(click, host.log.end());
    EXPECT_EQ(host.log.front(), "MouseDown");
    EXPECT_EQ(host.log.back(), "MouseUp");
    EXPECT_LT(click - host.log.begin(),
              std::find(host.log.begin(), host.log.end(), "MouseUp") - host.log.begin());
    EXPECT_FALSE(state.pressed());
}

TEST_F(ButtonStateTest, ReleaseOutsideOrOnAnotherButtonDoesNothing) {
    host.inside();
    state.mouseDown({});
    host.outside();
    state.mouseUp({});
    EXPECT_EQ(host.count("Click"), 0);
    EXPECT_EQ(host.count("MouseUp"), 0);

    // Pressed on this one, released over another: the other sees a release it did not begin.
    Host otherHost;
    ButtonState other(otherHost, 8);
    otherHost.inside();
    state.mouseDown({});
    other.mouseUp({});
    EXPECT_EQ(otherHost.count("Click"), 0);
    EXPECT_EQ(otherHost.count("MouseUp"), 0);
}

TEST_F(ButtonStateTest, DisabledRaisesMouseDownButNeverClicks) {
    state.setEnabledFlag(false);
    host.inside();
    state.mouseDown({});
    state.mouseUp({});
    state.setValue(true);
    state.controlKeyUp(kKeySpace);
    EXPECT_EQ(host.count("MouseDown"), 1);
    EXPECT_EQ(host.count("MouseUp"), 1);
    EXPECT_EQ(host.count("Click"), 0);
}

TEST_F(ButtonStateTest, HoverRepaintsOnceAndLeavesOnce) {
    host.inside();
    move();
    EXPECT_TRUE(state.mouseInside());
    EXPECT_EQ(state.insideMoveCount(), 1);
    EXPECT_EQ(state.brightness(), 18 + 32);
    EXPECT_TRUE(state.hoverFrameDrawn());
    const int paints = host.count("paint");
    EXPECT_EQ(paints, 1);
    move();
    move();
    EXPECT_EQ(state.insideMoveCount(), 3);
    EXPECT_EQ(host.count("paint"), paints);
    EXPECT_EQ(host.count("timer"), 3);
    EXPECT_EQ(host.log.back(), "MouseMove");

    state.leaveTick();  // still inside: nothing changes
    EXPECT_EQ(host.count("paint"), paints);
    host.outside();
    state.leaveTick();
    EXPECT_EQ(host.count("MouseOut"), 1);
    EXPECT_EQ(host.count("stop"), 1);
    EXPECT_EQ(state.brightness(), 18);
    EXPECT_EQ(state.insideMoveCount(), 0);
    EXPECT_EQ(host.count("paint"), paints + 1);
    state.leaveTick();
    EXPECT_EQ(host.count("MouseOut"), 1);

    host.inside();
    move();
    host.outside();
    state.leaveTick();
    EXPECT_EQ(host.count("MouseOut"), 2);
}

TEST_F(ButtonStateTest, NoMouseOutWithoutAHover) {
    host.outside();
    state.leaveTick();
    state.mouseUp({});
    EXPECT_EQ(host.count("MouseOut"), 0);
}

TEST_F(ButtonStateTest, MovesOnTheEdgeAreNotTestedButTheEdgeCountsAsInside) {
    host.inside();
    move(0, 15);  // X must be strictly inside the control for the hit test
    EXPECT_FALSE(state.mouseInside());
    move(120, 15);
    EXPECT_FALSE(state.mouseInside());
    host.cursor = {220, 130};  // the right and bottom edges of the window rectangle
    move();
    EXPECT_TRUE(state.mouseInside());
    EXPECT_EQ(state.cursorPos().x, 220);
    EXPECT_EQ(state.windowRect().right, 220);
}

TEST_F(ButtonStateTest, LeavingWithTheFocusDrawsTheFocusFrameAgain) {
    state.focusIn();
    host.inside();
    move();
    host.outside();
    host.log.clear();
    state.leaveTick();
    ASSERT_GE(host.log.size(), 2u);
    EXPECT_EQ(host.log[0], "MouseOut");
    EXPECT_EQ(host.log[1], "focus");
}

TEST_F(ButtonStateTest, NoHoverFrameOnAFocusedDisabledButton) {
    state.focusIn();
    state.setEnabledFlag(false);
    host.inside();
    move();
    EXPECT_EQ(host.count("hover"), 0);
    EXPECT_FALSE(state.hoverFrameDrawn());
}

TEST_F(ButtonStateTest, BrightnessClampedInEffectKeptAsGiven) {
    state.setBrightness(300);
    EXPECT_EQ(state.brightness(), 255);
    EXPECT_EQ(state.baseBrightness(), 300);
    host.inside();
    move();
    EXPECT_EQ(state.brightness(), 332);
    host.outside();
    state.leaveTick();
    EXPECT_EQ(state.brightness(), 300);
    state.setBrightness(-300);
    EXPECT_EQ(state.brightness(), -255);
    state.loadBrightness(400);
    EXPECT_EQ(state.brightness(), 400);
}

TEST_F(ButtonStateTest, KeysPressAndReleaseTheFace) {
    state.keyDown();
    EXPECT_EQ(host.log, (std::vector<std::string>{"layout", "paint"}));
    state.keyUp();
    EXPECT_FALSE(state.pressed());
    EXPECT_EQ(host.count("Click"), 0);
    state.controlKeyUp(13);
    EXPECT_EQ(host.count("Click"), 0);
    state.controlKeyUp(kKeySpace);
    state.controlKeyUp(kKeyProcessedByInputMethod);
    EXPECT_EQ(host.count("Click"), 2);
}

TEST_F(ButtonStateTest, WritingValueClicksBeforeItReturns) {
    state.setValue(false);
    EXPECT_EQ(host.count("Click"), 0);
    state.setValue(true);
    EXPECT_EQ(host.count("Click"), 1);
    EXPECT_TRUE(host.clickSawValue);
    EXPECT_FALSE(state.value());
}

TEST(ButtonStateLifecycle, RedrawWaitsForInitialisation) {
    Host host;
    ButtonState state(host, 9);
    state.redraw();
    state.setBrightness(40);
    EXPECT_TRUE(host.log.empty());
    EXPECT_TRUE(state.paintRequested());  // the first paint initialises
    EXPECT_FALSE(state.paintRequested());
    state.redraw();
    EXPECT_EQ(host.log, (std::vector<std::string>{"layout", "paint"}));
}

}  // namespace
}  // namespace muwu::controls
