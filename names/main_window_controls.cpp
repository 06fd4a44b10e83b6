#include "names/main_window_controls.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyleOptionFocusRect>

#include "controls/mw_button.h"
#include "names/entry_box.h"
#include "names/luck_table.h"
#include "names/main_form.h"
#include "names/report.h"
#include "platform/fit_label.h"
#include "platform/fit_line_edit.h"
#include "platform/placer.h"
#include "platform/press_label.h"
#include "platform/qt_text.h"
#include "platform/text_label.h"
#include "platform/ui_fonts.h"

namespace muwu {

namespace {

// A scroll-bar thumb as long as the bar is high. Ten values on a short bar leave a thumb of the
// usual minimum length almost no room to move, so the length set could hardly be seen.
class SquareThumbStyle : public QProxyStyle {
  public:
    explicit SquareThumbStyle(QObject* owner) : QProxyStyle() { setParent(owner); }

    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        if (metric == PM_ScrollBarSliderMin && widget)
            return widget->height();
        return QProxyStyle::pixelMetric(metric, option, widget);
    }

    // The bar takes the focus by Tab; a dotted frame says so, as buttons show it.
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget) const override {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        if (control == CC_ScrollBar && option->state.testFlag(State_HasFocus)) {
            QStyleOptionFocusRect focus;
            focus.QStyleOption::operator=(*option);
            focus.rect = option->rect.adjusted(0, 0, -1, -1);
            QProxyStyle::drawPrimitive(PE_FrameFocusRect, &focus, painter, widget);
        }
    }
};

// The score in bold. 宋体 has no bold face, and the system overstrikes it by a pixel; the faces
// that stand in for it draw a bold that barely differs from their regular at this size, so the
// score is overstruck the same way. A screen reader reads the score itself.
class BoldLabel final : public TextLabel {
  public:
    using TextLabel::TextLabel;

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setFont(font());
        painter.setPen(
            palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole()));
        const QRect r = contentsRect().adjusted(0, 0, -1, 0);
        const int flags = int(alignment()) | Qt::TextSingleLine;
        painter.drawText(r, flags, text());
        if (font().bold())
            painter.drawText(r.translated(1, 0), flags, text());
    }
};

EntryBox* gridBox(QWidget* parent) {
    return new EntryBox(parent);
}

// Every text a box can show: the luck table's entries.
const QStringList& luckTexts() {
    static const QStringList texts = [] {
        QStringList all;
        for (int n = 1; n <= kLuckEntries; ++n)
            all << qs(luckEntry(n));
        return all;
    }();
    return texts;
}

FitLabel* fitLabel(const Placer& p, QWidget* parent, const char16_t* name, const QString& text,
                   const QString& caption, Box b) {
    auto* l = p.place(new FitLabel(text, parent), name, b);
    l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    l->setCaption(caption);
    return l;
}

// Options of a kind form a group of their own: Qt would otherwise join every option below the
// same frame, those of the inner frame included, and let a click or Space clear them all.
QButtonGroup* optionGroup(QWidget* owner, QRadioButton* a, QRadioButton* b) {
    auto* group = new QButtonGroup(owner);
    group->setExclusive(true);
    group->addButton(a);
    group->addButton(b);
    return group;
}

// Layout from top to bottom; every frame is 13215 twips wide.
constexpr int kFrameLeft = 75;
constexpr int kFrameWidth = 13215;
constexpr int kFrame1Top = 30, kFrame1Height = 675;
constexpr int kTotalTop = 720, kTotalHeight = 2085;
constexpr int kGridTop = 2820, kGridHeight = 1725, kGridStep = 1740;

// Inside the total and grid frames: a column for the numbers, then the text box.
constexpr int kNumberLeft = 150, kNumberWidth = 1260;
constexpr int kTextLeft = 1500, kTextTop = 270;
constexpr int kTextWidth = kFrameWidth - kTextLeft - 120;

void buildNameBar(QWidget* window, const Placer& p, MainWindowControls& c) {
    c.Frame1 = p.place(new QGroupBox(QStringLiteral("名称："), window), u"Frame1",
                       {kFrameLeft, kFrame1Top, kFrameWidth, kFrame1Height});
    QGroupBox* bar = c.Frame1;
    c.Label1 = p.label(bar, u"Label1", QStringLiteral("全称："), {120, 285, 570, 270});
    // Up to the options' edge: the room the row has. A long company name shrinks to the
    // window's own size before it scrolls.
    c.Text3 = p.place(new FitLineEdit(bar), u"Text3", {690, 165, 2490, 450});
    c.Text3->setFitFont(songTi(14.25, true), kLeastNamePointSize);
    c.人名 = p.place(new QRadioButton(QStringLiteral("人名（细算）"), bar), u"人名",
                     {3180, 225, 1500, 330});
    c.公司名 = p.place(new QRadioButton(QStringLiteral("公司名（粗算）"), bar), u"公司名",
                       {4710, 225, 1680, 330});

    c.Frame4 =
        p.place(new QGroupBox(QStringLiteral("评分："), bar), u"Frame4", {6450, 120, 960, 525});
    // Below the frame's caption with a clear gap, and clear of its lower edge.
    c.评分 = p.place(new BoldLabel(QStringLiteral("评分"), c.Frame4), u"评分", {75, 195, 810, 300});
    c.评分->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    c.评分->setFont(songTi(12, true));

    c.自动取名 =
        p.place(new MWButton(QStringLiteral("自动取名"), bar), u"自动取名", {7470, 180, 1230, 405});

    c.Frame3 = p.place(new QGroupBox(bar), u"Frame3", {8760, 120, 4410, 525});
    QGroupBox* s = c.Frame3;
    c.Label5 = p.label(s, u"Label5", QStringLiteral("姓长度："), {90, 30, 720, 240});
    c.姓长度 = p.place(new QScrollBar(Qt::Horizontal, s), u"姓长度", {810, 45, 1800, 210});
    c.姓长度->setStyle(new SquareThumbStyle(c.姓长度));
    c.姓长度->setRange(kMinSurnameLength, kMaxSurnameLength);
    c.姓长度->setSingleStep(1);
    c.姓长度->setPageStep(1);
    // The value counts when the thumb is let go, not at every pixel of a drag.
    c.姓长度->setTracking(false);
    c.单姓 = p.place(new QRadioButton(QStringLiteral("单姓"), s), u"单姓", {2700, 15, 780, 255});
    c.复姓 = p.place(new QRadioButton(QStringLiteral("复姓"), s), u"复姓", {3540, 15, 780, 255});
    c.自动识别姓氏 =
        p.place(new QCheckBox(QStringLiteral("自动"), s), u"自动识别姓氏", {90, 270, 780, 240});
    c.Label2 = p.label(s, u"Label2", QStringLiteral("姓："), {960, 270, 360, 240});
    c.姓 = fitLabel(p, s, u"姓", QString(), QStringLiteral("姓"), {1320, 270, 1260, 240});
    c.Label3 = p.label(s, u"Label3", QStringLiteral("名："), {2640, 270, 360, 240});
    c.名 = fitLabel(p, s, u"名", QString(), QStringLiteral("名"), {3000, 270, 1350, 240});
    // Side by side with their captions in the window's size: a long part is cut with a sign
    // and shown whole in the tooltip, never set in smaller print.
    c.姓->setShrinks(false);
    c.名->setShrinks(false);
    c.Label1->setBuddy(c.Text3);
    c.Label5->setBuddy(c.姓长度);
    c.姓长度->setFocusPolicy(Qt::StrongFocus);
    c.nameKind = optionGroup(window, c.人名, c.公司名);
    c.surnameKind = optionGroup(window, c.单姓, c.复姓);
    s->setAccessibleName(QStringLiteral("姓氏"));
}

void buildTotal(QWidget* window, const Placer& p, MainWindowControls& c) {
    c.总运板 = p.place(new QGroupBox(qs(kTotalCaptionPerson), window), u"总运板",
                       {kFrameLeft, kTotalTop, kFrameWidth, kTotalHeight});
    c.总笔画数 = p.label(c.总运板, u"总笔画数", QStringLiteral("总笔画数"),
                         {kNumberLeft, 330, kNumberWidth, 300});
    c.全称属性 = fitLabel(p, c.总运板, u"全称属性", QStringLiteral("全称属性"),
                          QStringLiteral("全称属性"), {kNumberLeft, 660, kNumberWidth, 300});
    c.Text4 = p.place(gridBox(c.总运板), u"Text4",
                      {kTextLeft, kTextTop, kTextWidth, kTotalHeight - kTextTop - 90});
    c.Text4->fitEntries(songTi(12, true), luckTexts());

    // On the window itself, over the free lower part of the number column.
    c.报表 = p.place(new MWButton(QStringLiteral("报表"), window), u"报表",
                     {kFrameLeft + kNumberLeft, kTotalTop + 1080, 1260, 420});
    c.Picture1 = p.place(new QFrame(window), u"Picture1",
                         {kFrameLeft + kNumberLeft, kTotalTop + 1590, 1200, 345});
    c.Label4 =
        p.place(new PressLabel(QStringLiteral("帮助"), c.Picture1), u"Label4", {0, 0, 1200, 345});
    c.Label4->setAlignment(Qt::AlignCenter);
    c.Picture1->setAccessibleName(QStringLiteral("帮助"));
}

void buildGrids(QWidget* window, const Placer& p, MainWindowControls& c) {
    static constexpr const char16_t* kFrames[] = {u"天格板", u"人格板", u"地格板", u"外格板"};
    static constexpr const char16_t* kBoxes[] = {u"Text5", u"Text6", u"Text7", u"Text8"};
    static constexpr const char16_t* kNumbers[] = {u"天格笔画数", u"人格笔画数", u"地格笔画数",
                                                   u"外格笔画数"};
    static constexpr const char16_t* kButtons[] = {u"求天格", u"求人格", u"求地格", u"求外格"};
    for (std::size_t i = 0; i < 4; ++i) {
        const int top = kGridTop + static_cast<int>(i) * kGridStep;
        QGroupBox* frame = p.place(new QGroupBox(qs(kGridFrameCaptions[i]), window), kFrames[i],
                                   {kFrameLeft, top, kFrameWidth, kGridHeight});
        c.gridFrames[i] = frame;
        c.gridNumbers[i] = p.label(frame, kNumbers[i], QString::fromUtf16(kNumbers[i]),
                                   {kNumberLeft, 330, kNumberWidth, 300});
        c.gridButtons[i] = p.place(new QPushButton(QString::fromUtf16(kButtons[i]), frame),
                                   kButtons[i], {kNumberLeft, 750, kNumberWidth, 360});
        c.gridButtons[i]->hide();
        c.gridBoxes[i] = p.place(gridBox(frame), kBoxes[i],
                                 {kTextLeft, kTextTop, kTextWidth, kGridHeight - kTextTop - 90});
        c.gridBoxes[i]->fitEntries(window->font(), luckTexts());
    }
    // The 三才 reads 天格, 人格 and 地格 together; it sits in the free part of the middle frame's
    // number column, on two lines: the caption, then the elements and the class.
    c.三才 = p.place(new QLabel(QStringLiteral("三才："), c.gridFrames[1]), u"三才",
                     {kNumberLeft, 690, kNumberWidth, 540});
    c.三才->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    c.三才->setAccessibleName(QStringLiteral("三才"));
    // The name's pinyin, in the free part of 天格板's number column. On the window itself, as
    // 报表 is, so a company's name, whose grid frames are hidden, shows it too.
    c.拼音 = p.place(new QLabel(QStringLiteral("拼音："), window), u"拼音",
                     {kFrameLeft + kNumberLeft, kGridTop + 690, kNumberWidth, 900});
    c.拼音->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    c.拼音->setWordWrap(true);
    c.拼音->setAccessibleName(QStringLiteral("拼音"));
}

void buildWorkArea(QWidget* window, const Placer& p, MainWindowControls& c) {
    c.Frame2 = p.place(new QGroupBox(QStringLiteral("不显示部分："), window), u"Frame2",
                       {kFrameLeft, kTotalTop, kFrameWidth, kTotalHeight});
    QGroupBox* w = c.Frame2;
    c.Text1 = p.place(new QLineEdit(w), u"Text1", {150, 330, 900, 330});
    c.Text2 = p.place(new QLineEdit(w), u"Text2", {1200, 330, 900, 330});
    c.简体转换为繁体 = p.place(new QPushButton(QStringLiteral("简体转换为繁体"), w),
                               u"简体转换为繁体", {2250, 315, 1800, 360});
    c.求笔画 =
        p.place(new QPushButton(QStringLiteral("求笔画"), w), u"求笔画", {4200, 315, 1200, 360});
    c.笔画数 = p.label(w, u"笔画数", QStringLiteral("笔画数"), {5550, 330, 900, 330});
    c.属性 = p.label(w, u"属性", QStringLiteral("属性"), {6600, 330, 900, 330});
    c.求全称属性 = p.place(new QPushButton(QStringLiteral("求全称属性"), w), u"求全称属性",
                           {7650, 315, 1500, 360});
    c.Frame2->hide();
}

// Frames carry their caption on the top edge, with the controls right below it, as the design
// expects; a style that sets the caption above the edge would push every frame's content down.
QString frameStyle(const QFont& font) {
    const int half = QFontMetrics(font).height() / 2;
    return QStringLiteral(
               "QGroupBox { border: 2px groove palette(mid); margin-top: %1px; }"
               "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left;"
               " left: 6px; padding: 0px 1px; }"
               "QGroupBox#Frame3 { margin-top: 0px; }")
        .arg(half);
}

}  // namespace

void buildMainWindowControls(QWidget* window, double dotsPerInch, MainWindowControls& c) {
    const Placer p(dotsPerInch);
    window->setFixedSize(p.px(kMainWindowWidthTwips), p.px(kMainWindowHeightTwips));
    // The name box is created first, so it has the focus at the start.
    buildNameBar(window, p, c);
    buildWorkArea(window, p, c);
    buildTotal(window, p, c);
    buildGrids(window, p, c);
    window->setStyleSheet(frameStyle(window->font()));
    // Tab goes along the name bar as it reads, then to the two commands below it.
    QWidget* order[] = {c.Text3, c.人名, c.公司名,       c.自动取名, c.姓长度,
                        c.单姓,  c.复姓, c.自动识别姓氏, c.报表,     c.Label4};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i)
        QWidget::setTabOrder(order[i], order[i + 1]);
}

}  // namespace muwu
