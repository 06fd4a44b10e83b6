#pragma once
// MWButton: the program's own push button. A rounded window, a face painted as a vertical gradient
// from one base colour, an optional icon with a transparent colour, a dotted hover frame while the
// mouse is over it, a toolbar mode that stays flat until the mouse enters, and its own MouseOut.
// Host windows use Click, Caption, Enabled and Value.
//
// Enabled is the button's own: a disabled MWButton still reports mouse events, so never disable
// it through QWidget::setEnabled.
#include <QImage>
#include <QStaticText>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <functional>

#include "controls/button_layout.h"
#include "controls/button_state.h"
#include "controls/colour.h"
#include "controls/property_bag.h"

namespace muwu {

class MWButton : public QWidget, private controls::ButtonHost {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(bool Enabled READ Enabled WRITE setEnabled)
    Q_PROPERTY(bool Value READ Value WRITE setValue)
    Q_PROPERTY(int CRad READ CRad WRITE setCRad)

  public:
    using Colour = controls::Colour;

    explicit MWButton(QWidget* parent = nullptr);
    explicit MWButton(const QString& caption, QWidget* parent = nullptr);
    ~MWButton() override;

    [[nodiscard]] QString Caption() const { return caption_; }
    void setCaption(const QString& caption);
    [[nodiscard]] bool Enabled() const noexcept { return state_.enabled(); }
    void setEnabled(bool enabled);
    // Reads false except while a click runs; writing true clicks the button before it returns.
    [[nodiscard]] bool Value() const noexcept { return state_.value(); }
    void setValue(bool value);

    [[nodiscard]] Colour 标题色() const noexcept { return captionColour_; }
    void set标题色(Colour c);
    [[nodiscard]] QImage Picture() const { return picture_; }
    void setPicture(const QImage& picture);
    [[nodiscard]] Colour IconMaskColor() const noexcept { return iconMask_; }
    void setIconMaskColor(Colour c);
    [[nodiscard]] int CRad() const noexcept { return crad_; }
    void setCRad(int crad);
    [[nodiscard]] int 图片位置() const noexcept { return picturePosition_; }
    void set图片位置(int position);
    [[nodiscard]] Colour 按键色() const noexcept { return faceColour_; }
    void set按键色(Colour c);
    // The brightness in effect: the value given clamped to −255 … 255, 32 more while hovered.
    [[nodiscard]] int 亮度() const noexcept;
    void set亮度(int brightness);
    [[nodiscard]] bool 工具棒() const noexcept { return toolbar_; }
    void set工具棒(bool toolbar);
    // The handle other buttons know this one by; writing it changes nothing.
    [[nodiscard]] std::int64_t hwnd() const noexcept { return state_.hwnd(); }
    void setHwnd(std::int64_t) noexcept {}

    // The host window's property store.
    void readProperties(const controls::PropertyBag& bag);
    void writeProperties(controls::PropertyBag& bag) const;

    // 重绘: the layout, then the whole face.
    void 重绘();
    // 变色处理: paints the whole face into the button's picture.
    void 变色处理();

    // For tests and measurements.
    [[nodiscard]] const controls::ButtonState& state() const noexcept { return state_; }
    [[nodiscard]] const controls::ButtonLayout& layout() const noexcept { return layout_; }
    [[nodiscard]] int faceRenderCount() const noexcept { return renders_; }
    [[nodiscard]] const QImage& face() const noexcept { return face_; }
    // Runs the leave check now, as the 50 ms timer does.
    void checkLeave();
    // Where the cursor is when no mouse event is being handled (QCursor::pos() by default).
    static void setCursorQuery(std::function<QPoint()> query);

    // Room for the caption with a margin on each side.
    [[nodiscard]] QSize sizeHint() const override;

  signals:
    void Click();
    void MouseDown(int button, int shift, float x, float y);
    void MouseMove(int button, int shift, float x, float y);
    void MouseUp(int button, int shift, float x, float y);
    void MouseOut();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    // ButtonHost
    controls::Rect windowRect() override;
    controls::Point cursorPos() override;
    void relayout() override;
    void paint() override { 变色处理(); }
    void drawHoverFrame() override;
    void drawFocusFrame() override;
    void restartLeaveTimer() override;
    void stopLeaveTimer() override;
    void raiseClick() override;
    void raiseMouseDown(const controls::MouseArgs& a) override;
    void raiseMouseMove(const controls::MouseArgs& a) override;
    void raiseMouseUp(const controls::MouseArgs& a) override;
    void raiseMouseOut() override;

    [[nodiscard]] controls::MouseArgs mouseArgs(const QMouseEvent* event);
    [[nodiscard]] double twipsPerPixelY() const;
    void generateStrips(const controls::FaceColours& colours);
    void paintFace(const controls::FaceColours& colours);
    void drawDottedFrame(Colour colour);

    controls::ButtonState state_;
    QTimer 离开检测Timer;
    QString caption_;
    QStaticText captionText_;
    Colour captionColour_ = 0;
    Colour faceColour_ = controls::kDefaultFaceColour;
    Colour iconMask_ = controls::rgb(0, 0, 254);
    QImage picture_;
    bool hasPicture_ = false;
    int crad_ = 5;
    int picturePosition_ = 0;
    bool toolbar_ = false;
    bool highColour_ = true;
    controls::ButtonLayout layout_;
    QSize maskSize_;
    int maskCrad_ = -1;
    QImage face_;
    int renders_ = 0;
    bool inPaint_ = false;
    // The cursor of the mouse event being handled, if any.
    std::optional<QPoint> eventCursor_;
    int pressKey_ = 0;  // the key (Space or Enter) whose press came to this button, until released
};

}  // namespace muwu
