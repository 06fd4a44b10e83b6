#include "controls/button_state.h"

#include <algorithm>

namespace muwu::controls {

std::int64_t& ButtonState::lastPressedHwnd() noexcept {
    static std::int64_t hwnd = 0;
    return hwnd;
}

void ButtonState::redraw() {
    if (!initialised_)
        return;
    host_.relayout();
    host_.paint();
}

bool ButtonState::paintRequested() noexcept {
    painted_ = true;
    if (initialised_)
        return false;
    initialised_ = true;
    return true;
}

void ButtonState::afterPaint() {
    hoverFrameDrawn_ = false;
    hoverResponse();
}

void ButtonState::mouseDown(const MouseArgs& a) {
    pressed_ = true;
    lastPressedHwnd() = hwnd_;
    host_.raiseMouseDown(a);
    redraw();
}

void ButtonState::mouseUp(const MouseArgs& a) {
    pressed_ = false;
    redraw();
    hitTest();
    if (lastPressedHwnd() == hwnd_ && mouseInside_) {
        setValue(true);
        host_.raiseMouseUp(a);
    }
}

void ButtonState::mouseMove(const MouseArgs& a, double widthPx, double heightPx) {
    brightness_ = baseBrightness_ + kHoverLift;
    if (a.x > 0 && a.x < widthPx && a.y > 0 && a.y < heightPx)
        hitTest();
    if (mouseInside_)
        ++insideMoveCount_;
    else
        insideMoveCount_ = 0;
    if (!hoverFrameDrawn_ || insideMoveCount_ == 1)
        host_.paint();
    host_.restartLeaveTimer();
    host_.raiseMouseMove(a);
}

void ButtonState::leaveTick() {
    hitTest();
    if (mouseInside_)
        return;
    host_.stopLeaveTimer();
    brightness_ = baseBrightness_;
    hoverFrameDrawn_ = false;
    host_.paint();
}

void ButtonState::hitTest() {
    windowRect_ = host_.windowRect();
    cursorPos_ = host_.cursorPos();
    const Point& p = cursorPos_;
    const Rect& r = windowRect_;
    // The right and bottom edges count as inside.
    if (p.x < r.left || p.x > r.right || p.y < r.top || p.y > r.bottom) {
        mouseInside_ = false;
        insideMoveCount_ = 0;
    } else {
        mouseInside_ = true;
    }
    hoverResponse();
}

void ButtonState::hoverResponse() {
    if (!mouseInside_) {
        pressed_ = false;
        if (!leaveHandled_ && hoverShown_) {
            hoverShown_ = false;
            leaveHandled_ = true;
            host_.raiseMouseOut();
            if (enabled_ && hasFocus_)
                host_.drawFocusFrame();
        }
        return;
    }
    hoverShown_ = true;
    leaveHandled_ = false;
    if (!hoverFrameDrawn_ && (!hasFocus_ || enabled_)) {
        host_.drawHoverFrame();
        hoverFrameDrawn_ = true;
    }
}

void ButtonState::focusIn() {
    hasFocus_ = true;
    redraw();
}

void ButtonState::focusOut() {
    hasFocus_ = false;
    redraw();
}

void ButtonState::keyDown() {
    pressed_ = true;
    redraw();
}

void ButtonState::keyUp() {
    pressed_ = false;
    redraw();
}

void ButtonState::controlKeyUp(int keyCode) {
    if (keyCode == kKeySpace || keyCode == kKeyProcessedByInputMethod)
        setValue(true);
}

void ButtonState::click() {
    if (!enabled_)
        return;
    host_.raiseClick();
    pressed_ = false;
    redraw();
}

void ButtonState::setValue(bool v) {
    if (!v)
        return;
    // The inner button reads true while its click runs.
    value_ = true;
    struct Reset {
        bool& v;
        ~Reset() { v = false; }
    } reset{value_};
    click();
}

void ButtonState::setBrightness(int v) {
    brightness_ = v;
    baseBrightness_ = v;
    brightness_ = std::clamp(brightness_, -255, 255);
    redraw();
}

}  // namespace muwu::controls
