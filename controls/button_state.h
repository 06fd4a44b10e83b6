#pragma once
// The owner-drawn button's behaviour as plain state: press and release, hover and leave, focus and
// keys, brightness. The widget feeds it events and answers its questions (where is the window,
// where is the cursor) through ButtonHost, and does the drawing it asks for. No Qt.
#include <cstdint>

namespace muwu::controls {

struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
};
struct Point {
    int x = 0, y = 0;
};

// The arguments of MouseDown, MouseMove and MouseUp, passed on as received.
struct MouseArgs {
    int button = 0;
    int shift = 0;
    float x = 0;
    float y = 0;
};

class ButtonHost {
  public:
    virtual ~ButtonHost() = default;
    virtual Rect windowRect() = 0;  // the control's window in screen coordinates
    virtual Point cursorPos() = 0;  // the cursor in screen coordinates
    virtual void relayout() = 0;    // the resize handling, first step of 重绘
    virtual void paint() = 0;       // 变色处理
    virtual void drawHoverFrame() = 0;
    virtual void drawFocusFrame() = 0;
    virtual void restartLeaveTimer() = 0;
    virtual void stopLeaveTimer() = 0;
    virtual void raiseClick() = 0;
    virtual void raiseMouseDown(const MouseArgs&) = 0;
    virtual void raiseMouseMove(const MouseArgs&) = 0;
    virtual void raiseMouseUp(const MouseArgs&) = 0;
    virtual void raiseMouseOut() = 0;
};

inline constexpr int kDefaultBrightness = 18;
inline constexpr int kHoverLift = 32;
inline constexpr int kKeySpace = 32;
inline constexpr int kKeyProcessedByInputMethod = 229;

class ButtonState {
  public:
    ButtonState(ButtonHost& host, std::int64_t hwnd) noexcept : host_(host), hwnd_(hwnd) {}

    // The handle of the button on which the last mouse press began, shared by every button.
    static std::int64_t& lastPressedHwnd() noexcept;

    // 重绘: nothing until the properties have been read or the first paint came.
    void redraw();
    // A paint request; true when it initialised the control (the host then takes the default
    // face colour).
    bool paintRequested() noexcept;
    // The end of every painting (P7): the hover frame goes again if the mouse is inside.
    void afterPaint();
    void setInitialised() noexcept { initialised_ = true; }

    void mouseDown(const MouseArgs& a);
    void mouseUp(const MouseArgs& a);
    // widthPx and heightPx: Width / TwipsPerPixelX and Height / TwipsPerPixelY.
    void mouseMove(const MouseArgs& a, double widthPx, double heightPx);
    void leaveTick();

    void focusIn();
    void focusOut();
    void keyDown();
    void keyUp();
    // A key released on the control itself rather than its inner button.
    void controlKeyUp(int keyCode);

    // Command1 clicked: by the mouse, a key, or Value written true.
    void click();
    [[nodiscard]] bool value() const noexcept { return value_; }
    void setValue(bool v);

    // 亮度: the value in effect is clamped, the value given is kept for the end of a hover.
    void setBrightness(int v);
    [[nodiscard]] int brightness() const noexcept { return brightness_; }
    [[nodiscard]] int baseBrightness() const noexcept { return baseBrightness_; }
    // Reading properties: both take the stored value, unclamped.
    void loadBrightness(int v) noexcept { brightness_ = baseBrightness_ = v; }

    [[nodiscard]] bool enabled() const noexcept { return enabled_; }
    void setEnabledFlag(bool e) noexcept { enabled_ = e; }

    [[nodiscard]] std::int64_t hwnd() const noexcept { return hwnd_; }
    [[nodiscard]] bool hasFocus() const noexcept { return hasFocus_; }
    [[nodiscard]] bool hoverShown() const noexcept { return hoverShown_; }
    [[nodiscard]] int insideMoveCount() const noexcept { return insideMoveCount_; }
    [[nodiscard]] bool painted() const noexcept { return painted_; }
    [[nodiscard]] bool initialised() const noexcept { return initialised_; }
    [[nodiscard]] bool leaveHandled() const noexcept { return leaveHandled_; }
    [[nodiscard]] bool pressed() const noexcept { return pressed_; }
    [[nodiscard]] bool mouseInside() const noexcept { return mouseInside_; }
    [[nodiscard]] bool hoverFrameDrawn() const noexcept { return hoverFrameDrawn_; }
    [[nodiscard]] Rect windowRect() const noexcept { return windowRect_; }
    [[nodiscard]] Point cursorPos() const noexcept { return cursorPos_; }

  private:
    void hitTest();        // 鼠标位置检测与响应
    void hoverResponse();  // 鼠标焦点回应

    ButtonHost& host_;
    std::int64_t hwnd_;
    bool enabled_ = true;
    bool hasFocus_ = false;
    bool hoverShown_ = false;
    int insideMoveCount_ = 0;
    int baseBrightness_ = kDefaultBrightness;
    int brightness_ = kDefaultBrightness;
    bool painted_ = false;
    bool initialised_ = false;
    bool leaveHandled_ = false;
    bool pressed_ = false;
    bool mouseInside_ = false;
    bool hoverFrameDrawn_ = false;
    bool value_ = false;
    Rect windowRect_;
    Point cursorPos_;
};

}  // namespace muwu::controls
