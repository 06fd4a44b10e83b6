// MWButton as a user sees it: real presses, moves and keys, and the face read off its pixels.
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <memory>

#include "controls/face_cache.h"
#include "controls/mw_button.h"
#include "controls/transparent_blit.h"

namespace muwu {

using controls::Colour;
using controls::rgb;

namespace {

QRgb px(Colour c) {
    const auto ch = controls::channels(c);
    return qRgb(ch.r, ch.g, ch.b);
}

QString name(QRgb c) {
    return QStringLiteral("(%1, %2, %3)").arg(qRed(c)).arg(qGreen(c)).arg(qBlue(c));
}

#define COMPARE_PIXEL(actual, expected)                    \
    QVERIFY2(((actual)&0xFFFFFF) == ((expected)&0xFFFFFF), \
             qPrintable(name(actual) + QStringLiteral(" != ") + name(expected)))

const QRgb kHostColour = qRgb(200, 0, 200);

}  // namespace

class MWButtonTest : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();

    void paintsTheColourExample();
    void gradientRunsThroughTheBaseColour();
    void cornersOutsideTheShapeAreNotPainted();
    void toolbarIsFlatUntilHovered();
    void buttonsOfOneLookShareACacheEntry();
    void flatStripsAreReusedByTheirKey();
    void holderReadsOnlyWrittenEntries();
    void lowColourDisplayDrawsNoGradient();
    void pressOnOneReleaseOnAnotherDoesNothing();
    void disabledRaisesMouseDownButNeverClick();
    void brightnessIsClampedAndLiftedWhileHovered();
    void mouseOutOncePerLeave();
    void spaceOnTheFocusedButtonClicks();
    void valueClicksBeforeItReturns();
    void iconSkipsItsTransparentColour();
    void transparentBlitSkipsEveryKeyedPixel();
    void propertiesRoundTripThroughTheStore();
    void isAnAccessiblePushButton();

  private:
    MWButton* add(int x, int y, int w, int h, const QString& caption = {});
    QImage shot(MWButton* b) const { return b->grab().toImage(); }
    void move(MWButton* b, QPoint at);
    void leave(MWButton* b);

    std::unique_ptr<QWidget> host_;
    QPoint cursor_;
};

void MWButtonTest::init() {
    host_ = std::make_unique<QWidget>();
    host_->resize(400, 200);
    QPalette pal = host_->palette();
    pal.setColor(QPalette::Window, QColor(kHostColour));
    host_->setPalette(pal);
    host_->setAutoFillBackground(true);
    cursor_ = QPoint(-1000, -1000);
    MWButton::setCursorQuery([this] { return cursor_; });
}

void MWButtonTest::cleanup() {
    MWButton::setCursorQuery({});
    host_.reset();
}

MWButton* MWButtonTest::add(int x, int y, int w, int h, const QString& caption) {
    auto* b = new MWButton(caption, host_.get());
    b->setGeometry(x, y, w, h);
    if (!host_->isVisible()) {
        host_->show();
        if (!QTest::qWaitForWindowExposed(host_.get()))
            return nullptr;
    }
    b->show();
    b->repaint();
    return b;
}

// A mouse move as the window system delivers it, with the cursor where the move says.
void MWButtonTest::move(MWButton* b, QPoint at) {
    cursor_ = b->mapToGlobal(at);
    // Sent rather than synthesised: the window system drops a move to where the cursor already is,
    // and a test before this one may have left it there.
    QMouseEvent event(QEvent::MouseMove, QPointF(at), QPointF(cursor_), Qt::NoButton, Qt::NoButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(b, &event);
}

// The cursor goes away and the leave check finds it gone.
void MWButtonTest::leave(MWButton* b) {
    cursor_ = QPoint(-1000, -1000);
    QTRY_VERIFY_WITH_TIMEOUT(!b->state().mouseInside(), 1000);
}

void MWButtonTest::paintsTheColourExample() {
    MWButton* b = add(10, 10, 120, 30);
    QVERIFY(b);
    QCOMPARE(b->按键色(), rgb(0, 128, 128));
    QCOMPARE(b->亮度(), 18);
    QImage img = shot(b);
    COMPARE_PIXEL(img.pixel(119, 15), px(rgb(16, 144, 144)));  // background beyond the frames
    COMPARE_PIXEL(img.pixel(60, 0), px(0x404040));             // outer border
    COMPARE_PIXEL(img.pixel(60, 1), px(rgb(96, 224, 224)));    // inner light border

    // Pressed: the flat darker strip.
    QTest::mousePress(b, Qt::LeftButton, {}, QPoint(60, 15));
    img = shot(b);
    COMPARE_PIXEL(img.pixel(60, 15), px(rgb(0, 96, 96)));
    COMPARE_PIXEL(img.pixel(60, 8), px(rgb(0, 96, 96)));
    QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(60, 15));

    // Disabled: the light strip and the grey border.
    b->setEnabled(false);
    img = shot(b);
    COMPARE_PIXEL(img.pixel(60, 15), px(rgb(225, 255, 255)));
    COMPARE_PIXEL(img.pixel(60, 0), px(0x808080));
    QCOMPARE(b->focusPolicy(), Qt::NoFocus);

    // A system colour (high bit set) is kept but never painted.
    const int renders = b->faceRenderCount();
    b->set按键色(-2147483633);
    QCOMPARE(b->按键色(), Colour{-2147483633});
    QCOMPARE(b->faceRenderCount(), renders);
}

void MWButtonTest::gradientRunsThroughTheBaseColour() {
    MWButton* b = add(10, 10, 120, 30);
    QVERIFY(b);
    const QImage img = shot(b);
    const std::vector<Colour> strip = controls::staticStrip({18, 146, 146}, 30, true);
    // The 30 strip rows stretched over the 27 face rows from y = 1; rows 1 and 2 lie under the
    // inner border and the dotted frames, as do 26 and 27.
    const auto stripAt = [&](int y) {
        return px(strip[static_cast<std::size_t>(controls::stretchSourceRow(y - 1, 27, 30))]);
    };
    for (int y = 3; y <= 25; ++y)
        COMPARE_PIXEL(img.pixel(60, y), stripAt(y));
    COMPARE_PIXEL(img.pixel(60, 3), px(rgb(223, 240, 240)));   // top: nearly white
    COMPARE_PIXEL(img.pixel(60, 14), px(rgb(18, 146, 146)));   // middle: the static base
    COMPARE_PIXEL(img.pixel(60, 25), px(rgb(113, 190, 190)));  // bottom: on the way back to white
}

void MWButtonTest::cornersOutsideTheShapeAreNotPainted() {
    MWButton* b = add(20, 20, 120, 30);
    QVERIFY(b);
    const QImage img = host_->grab().toImage();
    for (const QPoint corner : {QPoint(0, 0), QPoint(119, 0), QPoint(0, 29), QPoint(119, 29)})
        COMPARE_PIXEL(img.pixel(QPoint(20, 20) + corner), kHostColour);
    COMPARE_PIXEL(img.pixel(20 + 60, 20), px(0x404040));
    b->setCRad(0);
    COMPARE_PIXEL(host_->grab().toImage().pixel(20, 20), px(0x404040));
}

void MWButtonTest::toolbarIsFlatUntilHovered() {
    MWButton* b = add(10, 10, 120, 30);
    QVERIFY(b);
    b->set工具棒(true);
    QImage img = shot(b);
    COMPARE_PIXEL(img.pixel(60, 15), px(rgb(0, 128, 128)));  // cleared to the base colour
    COMPARE_PIXEL(img.pixel(60, 0), px(rgb(32, 160, 160)));  // border at base + 32
    COMPARE_PIXEL(img.pixel(60, 1), px(rgb(0, 128, 128)));   // no inner light border

    move(b, QPoint(60, 15));
    QCOMPARE(b->亮度(), 18 + 32);
    img = shot(b);
    COMPARE_PIXEL(img.pixel(60, 0), px(0x404040));
    COMPARE_PIXEL(img.pixel(60, 1), px(rgb(96, 224, 224)));
    QRgb darkest = qRgb(255, 255, 255);
    for (int y = 3; y < 26; ++y)
        if (qRed(img.pixel(60, y)) < qRed(darkest))
            darkest = img.pixel(60, y);
    COMPARE_PIXEL(darkest, px(rgb(50, 178, 178)));  // the gradient with brightness 18 + 32
    leave(b);
    COMPARE_PIXEL(shot(b).pixel(60, 15), px(rgb(0, 128, 128)));
}

void MWButtonTest::buttonsOfOneLookShareACacheEntry() {
    ButtonPictureHolder& holder = ButtonPictureHolder::instance();
    const auto entries = [&](const std::string& key) {
        return std::count(holder.keys().begin(), holder.keys().end(), key);
    };
    // A colour of this test's own, so other tests' buttons do not count.
    const Colour colour = rgb(1, 2, 3);
    const std::string key30 = controls::cacheKey(colour, 30 * 1440.0 / host_->logicalDpiY(), 18);
    const std::string key36 = controls::cacheKey(colour, 36 * 1440.0 / host_->logicalDpiY(), 18);

    MWButton* a = add(0, 0, 120, 30);
    QVERIFY(a);
    a->set按键色(colour);
    QCOMPARE(entries(key30), 1);
    // The newest entry never counts as found, so the second painting of the look stores it again;
    // from then on every button of the look reads the first entry.
    MWButton* b = add(0, 40, 120, 30);
    b->set按键色(colour);
    QCOMPARE(entries(key30), 2);
    const int entry = holder.find(key30);
    MWButton* c = add(0, 80, 90, 30);
    c->set按键色(colour);
    a->重绘();
    b->重绘();
    QCOMPARE(entries(key30), 2);
    QCOMPARE(holder.find(key30), entry);
    const QRgb face = shot(a).pixel(60, 15);
    COMPARE_PIXEL(shot(c).pixel(45, 15), face);

    MWButton* d = add(200, 0, 120, 36);
    d->set按键色(colour);
    QCOMPARE(entries(key36), 1);
    QCOMPARE(entries(key30), 2);
}

void MWButtonTest::flatStripsAreReusedByTheirKey() {
    // The key does not say whether the strips were drawn flat: a toolbar button's strips (base
    // without brightness) serve any later button of the same colour, height and brightness.
    const Colour colour = rgb(40, 40, 40);
    MWButton* flat = add(0, 0, 120, 30);
    QVERIFY(flat);
    flat->set工具棒(true);
    flat->set按键色(colour);
    flat->重绘();
    MWButton* b = add(0, 40, 120, 30);
    b->set按键色(colour);
    COMPARE_PIXEL(shot(b).pixel(60, 14), qRgb(40, 40, 40));
}

void MWButtonTest::holderReadsOnlyWrittenEntries() {
    ButtonPictureHolder& holder = ButtonPictureHolder::instance();
    QVERIFY(ButtonPictureHolder::loaded());
    const DisplayMode& mode = holder.displayMode();
    QVERIFY(mode.width > 0 && mode.height > 0 && mode.bitsPerPixel >= 16);
    const QImage kept = holder.静态图;
    holder.按钮控件编号_读(holder.count() + 5);
    QCOMPARE(holder.静态图, kept);
    QCOMPARE(holder.find("no such key"), -1);
}

void MWButtonTest::lowColourDisplayDrawsNoGradient() {
    ButtonPictureHolder& holder = ButtonPictureHolder::instance();
    const std::int16_t bits = holder.displayMode().bitsPerPixel;
    holder.setDisplayBitsPerPixel(8);
    MWButton* b = add(0, 0, 120, 30);
    holder.setDisplayBitsPerPixel(bits);
    QVERIFY(b);
    b->set按键色(rgb(7, 7, 7));  // a look of its own, not in the cache yet
    const QImage img = shot(b);
    // The strip keeps its own back colour: one colour over the whole face.
    for (int y = 3; y <= 25; ++y)
        COMPARE_PIXEL(img.pixel(60, y), qRgb(0, 128, 128));
}

void MWButtonTest::pressOnOneReleaseOnAnotherDoesNothing() {
    MWButton* a = add(10, 10, 120, 30);
    MWButton* b = add(10, 60, 120, 30);
    QVERIFY(a && b);
    QSignalSpy clickA(a, &MWButton::Click), clickB(b, &MWButton::Click);
    QSignalSpy upA(a, &MWButton::MouseUp), upB(b, &MWButton::MouseUp);
    QTest::mousePress(a, Qt::LeftButton, {}, QPoint(60, 15));
    QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(60, 15));
    QCOMPARE(clickA.count() + clickB.count(), 0);
    QCOMPARE(upA.count() + upB.count(), 0);

    // And the same press released where it began clicks.
    QTest::mouseClick(a, Qt::LeftButton, {}, QPoint(60, 15));
    QCOMPARE(clickA.count(), 1);
    QCOMPARE(upA.count(), 1);
}

void MWButtonTest::disabledRaisesMouseDownButNeverClick() {
    MWButton* b = add(10, 10, 120, 30, QStringLiteral("报表"));
    QVERIFY(b);
    b->setEnabled(false);
    QSignalSpy down(b, &MWButton::MouseDown), click(b, &MWButton::Click);
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(60, 15));
    b->setValue(true);
    QCOMPARE(down.count(), 1);
    QCOMPARE(click.count(), 0);
    QCOMPARE(down.first().at(0).toInt(), 1);
    QCOMPARE(down.first().at(2).toFloat(), 60.0f);
}

void MWButtonTest::brightnessIsClampedAndLiftedWhileHovered() {
    MWButton* b = add(10, 10, 120, 30);
    QVERIFY(b);
    b->set亮度(300);
    QCOMPARE(b->亮度(), 255);
    QCOMPARE(b->state().baseBrightness(), 300);
    QCOMPARE(shot(b).pixel(60, 3) & 0xFFFFFF, 0xFFFFFFu);  // every channel clamped to white
    const int renders = b->faceRenderCount();
    move(b, QPoint(60, 15));
    QCOMPARE(b->亮度(), 332);
    move(b, QPoint(61, 15));
    move(b, QPoint(62, 16));
    QCOMPARE(b->faceRenderCount(), renders + 1);  // one repaint for the hover
    leave(b);
    QCOMPARE(b->亮度(), 300);
    QCOMPARE(b->faceRenderCount(), renders + 2);  // and one for the leave
}

void MWButtonTest::mouseOutOncePerLeave() {
    MWButton* b = add(10, 10, 120, 30);
    QVERIFY(b);
    QSignalSpy out(b, &MWButton::MouseOut), moves(b, &MWButton::MouseMove);
    move(b, QPoint(30, 10));
    move(b, QPoint(40, 10));
    QVERIFY(b->state().hoverShown());
    leave(b);
    QTest::qWait(120);  // further ticks find nothing to do
    QCOMPARE(out.count(), 1);
    move(b, QPoint(50, 10));
    leave(b);
    QCOMPARE(out.count(), 2);
    QCOMPARE(moves.count(), 3);
}

void MWButtonTest::spaceOnTheFocusedButtonClicks() {
    MWButton* b = add(10, 10, 120, 30, QStringLiteral("求名"));
    QVERIFY(b);
    host_->activateWindow();
    b->setFocus();
    QTRY_VERIFY(b->hasFocus());
    QVERIFY(b->state().hasFocus());
    // The dotted blue focus frame.
    bool blue = false;
    const QImage img = shot(b);
    for (int x = 4; x < 116 && !blue; ++x)
        blue = (img.pixel(x, 2) & 0xFFFFFF) == 0x0000FF;
    QVERIFY(blue);
    QSignalSpy click(b, &MWButton::Click);
    QTest::keyClick(b, Qt::Key_Space);
    QCOMPARE(click.count(), 1);
    QTest::keyClick(b, Qt::Key_A);
    QCOMPARE(click.count(), 1);
}

void MWButtonTest::valueClicksBeforeItReturns() {
    MWButton* b = add(10, 10, 120, 30);
    QVERIFY(b);
    bool valueInside = false;
    int clicks = 0;
    connect(b, &MWButton::Click, this, [&] {
        ++clicks;
        valueInside = b->Value();
    });
    b->setValue(true);
    QCOMPARE(clicks, 1);
    QVERIFY(valueInside);
    QVERIFY(!b->Value());
    b->setValue(false);
    QCOMPARE(clicks, 1);
}

void MWButtonTest::iconSkipsItsTransparentColour() {
    MWButton* b = add(10, 10, 120, 40);
    QVERIFY(b);
    QImage icon(16, 16, QImage::Format_RGB32);
    icon.fill(px(b->IconMaskColor()));
    for (int y = 6; y < 10; ++y)
        for (int x = 6; x < 10; ++x)
            icon.setPixel(x, y, qRgb(255, 0, 0));
    const QImage before = shot(b);
    b->set图片位置(3);  // icon at the left, 4 pixels in, centred in height
    b->setPicture(icon);
    const QImage after = shot(b);
    COMPARE_PIXEL(after.pixel(4 + 8, 12 + 8), qRgb(255, 0, 0));
    // Around the red square the face shows through unchanged.
    COMPARE_PIXEL(after.pixel(4 + 1, 12 + 1), before.pixel(4 + 1, 12 + 1));
    COMPARE_PIXEL(after.pixel(4 + 14, 12 + 14), before.pixel(4 + 14, 12 + 14));
}

void MWButtonTest::transparentBlitSkipsEveryKeyedPixel() {
    QImage dest(8, 8, QImage::Format_ARGB32_Premultiplied);
    dest.fill(qRgb(1, 2, 3));
    QImage src(4, 4, QImage::Format_RGB32);
    src.fill(qRgb(0, 0, 254));
    const QImage untouched = dest;
    绘透明图(dest, 2, 2, 4, 4, src, 0, 0, rgb(0, 0, 254));
    QCOMPARE(dest, untouched);  // all transparent: nothing changes
    src.fill(qRgb(9, 9, 9));
    src.setPixel(1, 1, qRgb(0, 0, 254));
    绘透明图(dest, 6, 6, 4, 4, src, 0, 0, rgb(0, 0, 254));  // clipped at the edge
    COMPARE_PIXEL(dest.pixel(6, 6), qRgb(9, 9, 9));
    COMPARE_PIXEL(dest.pixel(7, 7), qRgb(1, 2, 3));
    COMPARE_PIXEL(dest.pixel(5, 5), qRgb(1, 2, 3));
    QVERIFY(!blitBusy());
}

void MWButtonTest::propertiesRoundTripThroughTheStore() {
    MWButton* b = add(10, 10, 120, 30, QStringLiteral("后台下载"));
    QVERIFY(b);
    QImage icon(4, 4, QImage::Format_RGB32);
    icon.fill(qRgb(9, 8, 7));
    b->set工具棒(true);
    b->set按键色(rgb(10, 20, 30));
    b->set亮度(300);
    b->setCRad(7);
    b->set标题色(rgb(255, 255, 0));
    b->set图片位置(4);
    b->setIconMaskColor(0xFF00FF);
    b->setEnabled(false);
    b->setPicture(icon);
    controls::PropertyBag bag;
    b->writeProperties(bag);
    QCOMPARE(bag.entries().size(), std::size_t{10});
    QCOMPARE(bag.read<std::int64_t>(u"按键的亮度", 0), std::int64_t{255});

    MWButton* c = add(10, 50, 120, 30);
    c->readProperties(bag);
    QCOMPARE(c->Caption(), QStringLiteral("后台下载"));
    QVERIFY(c->工具棒() && !c->Enabled());
    QCOMPARE(c->按键色(), rgb(10, 20, 30));
    QCOMPARE(c->亮度(), 255);
    QCOMPARE(c->CRad(), 7);
    QCOMPARE(c->标题色(), rgb(255, 255, 0));
    QCOMPARE(c->图片位置(), 4);
    QCOMPARE(c->IconMaskColor(), Colour{0xFF00FF});
    QCOMPARE(c->Picture().pixel(0, 0), qRgb(9, 8, 7));

    // Written while hovered, the brightness is still the button's own.
    MWButton* d = add(200, 10, 120, 30);
    move(d, QPoint(60, 15));
    controls::PropertyBag hovered;
    d->writeProperties(hovered);
    QVERIFY(hovered.entries().empty());
}

void MWButtonTest::isAnAccessiblePushButton() {
    MWButton* b = add(10, 10, 120, 30, QStringLiteral("报表"));
    QVERIFY(b);
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(b);
    QVERIFY(a);
    QCOMPARE(a->role(), QAccessible::Button);
    QCOMPARE(a->text(QAccessible::Name), QStringLiteral("报表"));
    QVERIFY(!a->state().disabled);
    QAccessibleActionInterface* actions = a->actionInterface();
    QVERIFY(actions);
    QVERIFY(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
    QSignalSpy click(b, &MWButton::Click);
    actions->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(click.count(), 1);
    b->setCaption(QStringLiteral("自动取名"));
    QCOMPARE(a->text(QAccessible::Name), QStringLiteral("自动取名"));
    b->setEnabled(false);
    QVERIFY(a->state().disabled);
}

}  // namespace muwu

QTEST_MAIN(muwu::MWButtonTest)
#include "mw_button_test.moc"
