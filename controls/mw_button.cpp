#include "controls/mw_button.h"

#include <QAccessible>
#include <QBuffer>
#include <QCursor>
#include <QFocusEvent>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRegion>
#include <QStaticText>
#include <cmath>
#include <limits>

#include "controls/face_cache.h"
#include "controls/qt_colour.h"
#include "controls/transparent_blit.h"
#include "platform/twips.h"

namespace muwu {

void installMWButtonAccessibility();

using namespace controls;

namespace {

constexpr int kMinimumHeightTwips = 60;
constexpr int kLeaveCheckMs = 50;

std::function<QPoint()>& cursorQuery() {
    static std::function<QPoint()> query;
    return query;
}

std::int64_t nextHwnd() {
    static std::int64_t last = 0;
    return ++last;
}

// A GDI-style rounded rectangle outline from (l, t) to (r, b): the right and bottom edges lie one
// pixel inside.
void roundRect(QPainter& p, int l, int t, int r, int b, int ellipse) {
    const double radius = std::max(ellipse, 0) / 2.0;
    p.drawRoundedRect(QRectF(l, t, r - l - 1, b - t - 1), radius, radius);
}

// Draws a one-pixel-wide strip over the area, each face row in the colour of the strip row under
// its centre.
void stretch(QPainter& p, const QImage& strip, const QRectF& area) {
    const int first = static_cast<int>(std::ceil(area.top() - 0.5));
    const int last = static_cast<int>(std::ceil(area.bottom() - 0.5));
    for (int y = first; y < last; ++y) {
        const int row = stretchSourceRow(y - first, area.height(), strip.height());
        p.fillRect(QRectF(area.left(), y, area.width(), 1), QColor(strip.pixel(0, row)));
    }
}

}  // namespace

MWButton::MWButton(QWidget* parent) : QWidget(parent), state_(*this, nextHwnd()) {
    // The button is its own focusable inner part: it takes the focus and the keys.
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumHeight(static_cast<int>(std::ceil(kMinimumHeightTwips / twipsPerPixelY())));
    离开检测Timer.setInterval(kLeaveCheckMs);
    connect(&离开检测Timer, &QTimer::timeout, this, [this] { checkLeave(); });
    highColour_ = ButtonPictureHolder::instance().displayMode().bitsPerPixel >= 16;
    installMWButtonAccessibility();
    // A button made in code has read its properties: every one at its default.
    state_.setInitialised();
}

MWButton::MWButton(const QString& caption, QWidget* parent) : MWButton(parent) {
    caption_ = caption;
}

MWButton::~MWButton() = default;

double MWButton::twipsPerPixelY() const {
    return kTwipsPerInch / std::max(logicalDpiY(), 1);
}

void MWButton::setCursorQuery(std::function<QPoint()> query) {
    cursorQuery() = std::move(query);
}

// --- properties -------------------------------------------------------------------------------

void MWButton::setCaption(const QString& caption) {
    caption_ = caption;
    QAccessibleEvent e(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&e);
    重绘();
}

void MWButton::setEnabled(bool enabled) {
    if (enabled == state_.enabled())
        return;
    state_.setEnabledFlag(enabled);
    // A disabled button cannot take the focus.
    setFocusPolicy(enabled ? Qt::StrongFocus : Qt::NoFocus);
    if (!enabled && hasFocus())
        clearFocus();
    QAccessible::State changed;
    changed.disabled = true;
    QAccessibleStateChangeEvent e(this, changed);
    QAccessible::updateAccessibility(&e);
    重绘();
}

void MWButton::setValue(bool value) {
    state_.setValue(value);
}

void MWButton::set标题色(Colour c) {
    if (c == captionColour_)
        return;
    captionColour_ = c;
    重绘();
}

void MWButton::setPicture(const QImage& picture) {
    picture_ = picture;
    hasPicture_ = !picture.isNull();
    重绘();
}

void MWButton::setIconMaskColor(Colour c) {
    iconMask_ = c;
    重绘();
}

void MWButton::setCRad(int crad) {
    crad_ = crad;
    重绘();
}

void MWButton::set图片位置(int position) {
    picturePosition_ = position;
    重绘();
}

void MWButton::set按键色(Colour c) {
    if (c == faceColour_)
        return;
    faceColour_ = c;
    重绘();
}

int MWButton::亮度() const noexcept {
    // A 16-bit value: the hover's lift on the largest brightness stays at the largest.
    return std::clamp<int>(state_.brightness(), std::numeric_limits<std::int16_t>::min(),
                           std::numeric_limits<std::int16_t>::max());
}

void MWButton::set亮度(int brightness) {
    state_.setBrightness(std::clamp<int>(brightness, std::numeric_limits<std::int16_t>::min(),
                                         std::numeric_limits<std::int16_t>::max()));
}

void MWButton::set工具棒(bool toolbar) {
    toolbar_ = toolbar;
    重绘();
}

void MWButton::readProperties(const PropertyBag& bag) {
    const ButtonProperties p = readButtonProperties(bag);
    toolbar_ = p.toolbar;
    faceColour_ = p.faceColour;
    state_.loadBrightness(static_cast<int>(p.brightness));
    crad_ = static_cast<int>(p.cornerSize);
    caption_ = QString::fromStdU16String(p.caption);
    captionColour_ = p.captionColour;
    picturePosition_ = static_cast<int>(p.picturePosition);
    iconMask_ = p.iconMaskColour;
    state_.setEnabledFlag(p.enabled);
    setFocusPolicy(p.enabled ? Qt::StrongFocus : Qt::NoFocus);
    picture_ = p.picture.bytes.empty()
                   ? QImage()
                   : QImage::fromData(reinterpret_cast<const uchar*>(p.picture.bytes.data()),
                                      static_cast<int>(p.picture.bytes.size()));
    hasPicture_ = !picture_.isNull();
    state_.setInitialised();
    重绘();
}

void MWButton::writeProperties(PropertyBag& bag) const {
    ButtonProperties p;
    p.toolbar = toolbar_;
    p.faceColour = faceColour_;
    // The brightness given, clamped as it is painted; a hover's lift is not the button's own.
    p.brightness = std::clamp(state_.baseBrightness(), -255, 255);
    p.cornerSize = crad_;
    p.caption = caption_.toStdU16String();
    p.captionColour = captionColour_;
    p.picturePosition = picturePosition_;
    p.iconMaskColour = iconMask_;
    p.enabled = state_.enabled();
    if (!picture_.isNull()) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        picture_.save(&buffer, "PNG");
        p.picture.bytes.assign(png.constData(), static_cast<std::size_t>(png.size()));
    }
    writeButtonProperties(bag, p);
}

QSize MWButton::sizeHint() const {
    const QFontMetrics fm(font());
    const QSize icon = hasPicture_ ? picture_.size() : QSize();
    // Room around the caption as a standard push button leaves, so a row of buttons reads well.
    return {std::max(fm.horizontalAdvance(caption_) + 2 * fm.height() + icon.width(), 75),
            std::max(fm.height(), icon.height()) + 12};
}

// --- layout and painting ----------------------------------------------------------------------

void MWButton::重绘() {
    state_.redraw();
}

void MWButton::relayout() {
    const QFontMetricsF fm(font());
    LayoutInputs in;
    in.widthPx = width();
    in.heightPx = height();
    in.captionW = fm.horizontalAdvance(caption_);
    in.captionH = fm.height();
    const QSize icon = hasPicture_ ? picture_.size() : QSize(16, 16);
    in.iconW = icon.width();
    in.iconH = icon.height();
    in.hasPicture = hasPicture_;
    in.captionEmpty = caption_.isEmpty();
    in.picturePosition = picturePosition_;
    in.caption = layout_.caption;
    in.icon = layout_.icon;
    layout_ = layoutButton(in);
    if (size() != maskSize_ || crad_ != maskCrad_) {
        QRegion shape;
        const auto spans = roundRectSpans(width(), height(), crad_);
        for (int y = 0; y < static_cast<int>(spans.size()); ++y) {
            const Span& s = spans[static_cast<std::size_t>(y)];
            shape += QRect(s.left, y, s.right - s.left, 1);
        }
        setMask(shape);
        maskSize_ = size();
        maskCrad_ = crad_;
    }
}

void MWButton::变色处理() {
    if (!state_.painted() || !paintable(faceColour_))
        return;
    ++renders_;
    FaceInputs in;
    in.base = faceColour_;
    in.brightness = state_.brightness();
    in.toolbar = toolbar_;
    in.enabled = state_.enabled();
    in.mouseInside = state_.mouseInside();
    in.captionColour = captionColour_;
    const FaceColours colours = faceColours(in);

    ButtonPictureHolder& holder = ButtonPictureHolder::instance();
    const std::string key = cacheKey(faceColour_, height() * twipsPerPixelY(), state_.brightness());
    const int i = holder.find(key);
    // As the list has always done it: the most recently appended entry does not count as found.
    if (i >= 0 && i != holder.count() - 1) {
        holder.按钮控件编号_读(i);
        paintFace(colours);
    } else {
        generateStrips(colours);
        paintFace(colours);
        holder.append(key);
        holder.按钮控件编号_写(holder.count() - 1);
    }
    if (!inPaint_)
        update();
}

void MWButton::generateStrips(const FaceColours& colours) {
    ButtonPictureHolder& holder = ButtonPictureHolder::instance();
    const auto fill = [](const std::vector<Colour>& rows) {
        QImage s(1, static_cast<int>(rows.size()), QImage::Format_RGB32);
        for (int y = 0; y < s.height(); ++y)
            s.setPixel(0, y, toQRgb(rows[static_cast<std::size_t>(y)]));
        return s;
    };
    holder.按下图 = fill(pressedStrip(colours.pressed));
    holder.失效图 =
        fill(disabledStrip(colours.disabled, holder.失效图.isNull() ? 1 : holder.失效图.height()));
    const std::vector<Colour> rows = staticStrip(colours.staticBase, height(), highColour_);
    if (rows.empty()) {
        // Too few colours for a gradient: the strip keeps its own back colour.
        holder.静态图 = QImage(1, std::max(height(), 1), QImage::Format_RGB32);
        holder.静态图.fill(qRgb(0, 128, 128));
    } else {
        holder.静态图 = fill(rows);
    }
}

void MWButton::paintFace(const FaceColours& colours) {
    if (face_.size() != size())
        face_ = QImage(size(), QImage::Format_ARGB32_Premultiplied);
    if (face_.isNull())
        return;
    ButtonPictureHolder& holder = ButtonPictureHolder::instance();
    const bool enabled = state_.enabled(), pressed = state_.pressed() && enabled;
    const int w = width(), h = height();
    {
        // P1, the face: the chosen strip stretched over the inner area.
        QPainter p(&face_);
        p.fillRect(face_.rect(), toQColor(colours.background));
        const QRectF area(1, 1, layout_.innerW, layout_.innerH);
        const QImage* strip = nullptr;
        if (!enabled)
            strip = &holder.失效图;
        else if (state_.pressed())
            strip = &holder.按下图;
        else if (!colours.flat)
            strip = &holder.静态图;
        if (strip && !strip->isNull())
            stretch(p, *strip, area);
    }
    if (hasPicture_) {
        // P2, the icon, a tenth of its height lower while pressed.
        const double top = layout_.icon.y + (pressed ? 0.2 * picture_.height() / 2 : 0.0);
        绘透明图(face_, roundChannel(layout_.icon.x), roundChannel(top), picture_.width(),
                 picture_.height(), picture_, 0, 0, iconMask_);
    }
    QPainter p(&face_);
    p.setBrush(Qt::NoBrush);
    // P3 and P4, the borders.
    p.setPen(QPen(toQColor(colours.outerBorder), 0));
    roundRect(p, 0, 0, w - 1, h - 1, crad_);
    if (!colours.flat) {
        p.setPen(QPen(toQColor(colours.innerBorder), 0));
        roundRect(p, 1, 1, w - 2, h - 2, crad_ - 1);
    }
    // P5, the caption, one pixel lower while pressed.
    if (!caption_.isEmpty()) {
        p.setFont(font());
        p.setPen(toQColor(colours.caption));
        // Laid out once per caption and font: the face is painted at every hover and press.
        if (captionText_.text() != caption_)
            captionText_.setText(caption_);
        p.drawStaticText(QPointF(layout_.caption.x, layout_.caption.y + (pressed ? 1 : 0)),
                         captionText_);
    }
    p.end();
    // P6, the focus frame.
    if (state_.hasFocus() && enabled)
        drawDottedFrame(kFocusFrame);
    // P7, the hover frame if the mouse is inside.
    state_.afterPaint();
}

void MWButton::drawDottedFrame(Colour colour) {
    if (face_.isNull())
        return;
    QPainter p(&face_);
    QPen pen(toQColor(colour), 0);
    pen.setDashPattern({1, 1});
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    roundRect(p, 2, 2, width() - 3, height() - 3, crad_ - 1);
    p.end();
    if (!inPaint_)
        update();
}

void MWButton::drawHoverFrame() {
    drawDottedFrame(kHoverFrame);
}

void MWButton::drawFocusFrame() {
    drawDottedFrame(kFocusFrame);
}

void MWButton::paintEvent(QPaintEvent*) {
    if (!state_.painted() || face_.size() != size()) {
        state_.paintRequested();
        relayout();
        // Painting here must not ask for another paint.
        inPaint_ = true;
        变色处理();
        inPaint_ = false;
    }
    QPainter p(this);
    if (face_.size() == size())
        p.drawImage(0, 0, face_);
    else  // a face colour that cannot be painted: nothing of ours to show
        p.fillRect(rect(), palette().window());
}

void MWButton::resizeEvent(QResizeEvent*) {
    relayout();
}

void MWButton::showEvent(QShowEvent*) {
    重绘();
}

void MWButton::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange)
        重绘();
    QWidget::changeEvent(event);
}

// --- mouse, keys, focus -----------------------------------------------------------------------

MouseArgs MWButton::mouseArgs(const QMouseEvent* event) {
    // The cursor of this event is where the cursor is while the event is handled.
    eventCursor_ = event->globalPosition().toPoint();
    const Qt::MouseButtons buttons =
        event->type() == QEvent::MouseMove ? event->buttons() : Qt::MouseButtons(event->button());
    MouseArgs a;
    a.button = (buttons & Qt::LeftButton ? 1 : 0) | (buttons & Qt::RightButton ? 2 : 0) |
               (buttons & Qt::MiddleButton ? 4 : 0);
    const Qt::KeyboardModifiers m = event->modifiers();
    a.shift = (m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) |
              (m & Qt::AltModifier ? 4 : 0);
    a.x = static_cast<float>(event->position().x());
    a.y = static_cast<float>(event->position().y());
    return a;
}

void MWButton::mousePressEvent(QMouseEvent* event) {
    const MouseArgs a = mouseArgs(event);
    if (state_.enabled())
        setFocus(Qt::MouseFocusReason);
    state_.mouseDown(a);
    eventCursor_.reset();
}

void MWButton::mouseReleaseEvent(QMouseEvent* event) {
    const MouseArgs a = mouseArgs(event);
    state_.mouseUp(a);
    eventCursor_.reset();
}

void MWButton::mouseMoveEvent(QMouseEvent* event) {
    const MouseArgs a = mouseArgs(event);
    state_.mouseMove(a, width(), height());
    eventCursor_.reset();
}

namespace {

// The keys that press the button as the space bar does: Enter too, from either place on the
// keyboard, as users of a dialog expect.
bool isPressKey(const QKeyEvent* event) {
    const int key = event->key();
    return key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter;
}

}  // namespace

void MWButton::keyPressEvent(QKeyEvent* event) {
    if (event->isAutoRepeat())
        return;
    state_.keyDown();
    if (isPressKey(event))
        pressKey_ = event->key();
    else
        QWidget::keyPressEvent(event);
}

void MWButton::keyReleaseEvent(QKeyEvent* event) {
    if (event->isAutoRepeat())
        return;
    state_.keyUp();
    // The inner button clicks itself when the key that went down on it comes up; a release whose
    // press went elsewhere (Enter that closed a message box) clicks nothing.
    if (isPressKey(event)) {
        const bool ours = pressKey_ == event->key();
        pressKey_ = 0;
        if (ours)
            state_.click();
    } else {
        QWidget::keyReleaseEvent(event);
    }
}

void MWButton::focusInEvent(QFocusEvent*) {
    state_.focusIn();
}

void MWButton::focusOutEvent(QFocusEvent*) {
    pressKey_ = 0;
    state_.focusOut();
}

void MWButton::checkLeave() {
    state_.leaveTick();
}

controls::Rect MWButton::windowRect() {
    const QPoint o = mapToGlobal(QPoint(0, 0));
    return {o.x(), o.y(), o.x() + width(), o.y() + height()};
}

controls::Point MWButton::cursorPos() {
    QPoint c;
    if (eventCursor_)
        c = *eventCursor_;
    else if (cursorQuery())
        c = cursorQuery()();
    else
        c = QCursor::pos();
    return {c.x(), c.y()};
}

void MWButton::restartLeaveTimer() {
    离开检测Timer.start();
}

void MWButton::stopLeaveTimer() {
    离开检测Timer.stop();
}

// The host's handler may run an event loop of its own (a message box): from here on the cursor
// is wherever the mouse really is.
void MWButton::raiseClick() {
    eventCursor_.reset();
    emit Click();
}

void MWButton::raiseMouseOut() {
    emit MouseOut();
}

void MWButton::raiseMouseDown(const MouseArgs& a) {
    eventCursor_.reset();
    emit MouseDown(a.button, a.shift, a.x, a.y);
}

void MWButton::raiseMouseMove(const MouseArgs& a) {
    eventCursor_.reset();
    emit MouseMove(a.button, a.shift, a.x, a.y);
}

void MWButton::raiseMouseUp(const MouseArgs& a) {
    eventCursor_.reset();
    emit MouseUp(a.button, a.shift, a.x, a.y);
}

}  // namespace muwu
