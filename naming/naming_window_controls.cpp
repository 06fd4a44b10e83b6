#include "naming/naming_window_controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <algorithm>
#include <cmath>

#include "controls/mw_button.h"
#include "naming/engine.h"
#include "platform/placer.h"
#include "platform/text_label.h"

namespace muwu {

namespace {

QComboBox* numberCombo(QWidget* parent, int first, int last, const QString& text) {
    auto* combo = new QComboBox(parent);
    combo->setEditable(true);
    // Typed numbers are used as they are: not added to the list, and not completed from it,
    // which would turn a typed 1 into 10 and count the typing as a pick.
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setCompleter(nullptr);
    for (int n = first; n <= last; ++n)
        combo->addItem(QString::number(n));
    combo->setEditText(text);
    combo->setCurrentIndex(combo->findText(text));
    return combo;
}

constexpr int kLeft = 120;
constexpr int kFieldLeft = 1920;
constexpr int kFieldWidth = 2640;
constexpr int kRowHeight = 360;
constexpr int kRow[] = {105, 555, 1005, 1455};
constexpr int kLabelWidth = 1800;

// A caption with a run of spaces that a control sits in ("复杂程度（笔画数）：        以内"). Fonts
// give spaces very different widths, so the run is drawn as wide as the control needs; the text
// itself stays as it is.
class GapLabel final : public QLabel {
  public:
    GapLabel(const QString& caption, QWidget* parent) : QLabel(caption, parent) {}

    [[nodiscard]] QString head() const { return text().left(text().indexOf(u' ')); }
    [[nodiscard]] QString tail() const { return text().mid(text().lastIndexOf(u' ') + 1); }
    // Where the run of spaces starts, from the label's left edge, and how wide it is drawn.
    [[nodiscard]] int gapStart() const { return fontMetrics().horizontalAdvance(head()); }
    [[nodiscard]] int naturalGap() const {
        const qsizetype from = text().indexOf(u' ');
        return fontMetrics().horizontalAdvance(
            text().mid(from, text().size() - from - tail().size()));
    }
    void setGap(int width) {
        gap_ = std::max(width, naturalGap());
        updateGeometry();
        update();
    }

    [[nodiscard]] QSize sizeHint() const override {
        return {gapStart() + gap_ + fontMetrics().horizontalAdvance(tail()) + 2,
                QLabel::sizeHint().height()};
    }
    [[nodiscard]] QSize minimumSizeHint() const override { return sizeHint(); }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setPen(palette().color(foregroundRole()));
        const QRect r = contentsRect();
        const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
        painter.drawText(r, flags, head());
        painter.drawText(r.adjusted(gapStart() + gap_, 0, 0, 0), flags, tail());
    }

  private:
    int gap_ = 0;
};

// Puts the combo box into the label's run of spaces, widened to the box's least width.
void fitIntoGap(GapLabel* label, QComboBox* combo) {
    label->ensurePolished();
    combo->ensurePolished();
    constexpr int kMargin = 3;
    const int width = combo->minimumSizeHint().width();
    label->setGap(width + 2 * kMargin);
    combo->setGeometry(label->x() + label->gapStart() + kMargin, combo->y(), width,
                       combo->height());
    label->resize(label->sizeHint().width(), label->height());
}

}  // namespace

void buildNamingWindowControls(QWidget* window, double dotsPerInch, NamingWindowControls& c) {
    const Placer p(dotsPerInch);
    window->setFixedSize(p.px(kNamingWindowWidthTwips), p.px(kNamingWindowHeightTwips));

    // Creation order is the tab order: prefix, suffix, count, gender, limit, birth moment, zone,
    // the tick, the button.
    c.Label1[0] = p.label(window, u"Label1", QStringLiteral("前缀（姓）："),
                          {kLeft, kRow[0], kLabelWidth, kRowHeight});
    c.Text1 =
        p.place(new QLineEdit(window), u"Text1", {kFieldLeft, kRow[0], kFieldWidth, kRowHeight});
    c.Label1[1] = p.label(window, u"Label1", QStringLiteral("后缀（行业名称）："),
                          {kLeft, kRow[1], kLabelWidth, kRowHeight});
    c.Text2 =
        p.place(new QLineEdit(window), u"Text2", {kFieldLeft, kRow[1], kFieldWidth, kRowHeight});
    for (int i = 0; i < 2; ++i) {
        c.Label1[static_cast<std::size_t>(i)]->setProperty("index", i);
        c.Label1[static_cast<std::size_t>(i)]->setBuddy(i == 0 ? c.Text1 : c.Text2);
    }

    c.Label2 = p.label(window, u"Label2", QStringLiteral("自动取字的个数："),
                       {kLeft, kRow[2], kLabelWidth, kRowHeight});
    c.求的字数 = p.place(numberCombo(window, kLowestCountEntry, kMaxCharacterCount, "2"),
                         u"求的字数", {kFieldLeft, kRow[2], 900, kRowHeight});
    c.Label2->setBuddy(c.求的字数);
    // In the free end of the count's row.
    c.性别标签 =
        p.label(window, u"性别标签", QStringLiteral("性别："), {2940, kRow[2], 600, kRowHeight});
    c.性别 = p.place(new QComboBox(window), u"性别", {3540, kRow[2], 1020, kRowHeight});
    c.性别->addItems({QStringLiteral("不限"), QStringLiteral("男"), QStringLiteral("女")});
    c.性别标签->setBuddy(c.性别);

    auto* label3 = p.place(new GapLabel(QStringLiteral("复杂程度（笔画数）：        以内"), window),
                           u"Label3", {kLeft, kRow[3], 4440, kRowHeight});
    c.Label3 = label3;
    c.字复杂程度 = p.place(numberCombo(window, kLowestLimitEntry, kMaxStrokeLimit, "9"),
                           u"字复杂程度", {kLeft, kRow[3], 900, kRowHeight});
    fitIntoGap(label3, c.字复杂程度);
    c.Label3->setBuddy(c.字复杂程度);
    c.字复杂程度->raise();


    // Below 求名, in the room the window gained: the controls above stay where they were.
    c.出生板 = p.place(new QGroupBox(QStringLiteral("出生（可不填）："), window), u"出生板",
                       {kLeft, 3735, 4560, 2220});
    QGroupBox* birth = c.出生板;
    c.出生时间标签 = p.label(birth, u"出生时间标签", QStringLiteral("出生时间："),
                             {150, 300, 1200, 330});
    c.出生时间 = p.place(new QLineEdit(birth), u"出生时间", {1380, 285, 3030, 360});
    c.出生时间->setPlaceholderText(QStringLiteral("如：2024-02-04 16:20"));
    c.出生时间->setToolTip(
        QStringLiteral("出生地当时钟表上的时间；给了就优先取补八字所缺五行的字"));
    c.出生时间标签->setBuddy(c.出生时间);
    c.时区标签 = p.label(birth, u"时区标签", QStringLiteral("时区："), {150, 705, 1200, 330});
    c.时区 = p.place(new QLineEdit(birth), u"时区", {1380, 690, 3030, 360});
    c.时区->setPlaceholderText(QStringLiteral("Asia/Shanghai"));
    c.时区标签->setBuddy(c.时区);
    // Four lines: room for the longest message, a reading the clocks showed twice with both
    // offsets to choose from.
    c.八字 = p.place(new TextLabel(birth), u"八字", {150, 1110, 4260, 1020});
    c.八字->setWordWrap(true);
    c.八字->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    c.Frame1 = p.place(new QGroupBox(QStringLiteral("锁定字与规则："), window), u"Frame1",
                       {kLeft, 1935, 4560, 1140});
    c.词义 =
        p.place(new QCheckBox(QStringLiteral("词义"), c.Frame1), u"词义", {150, 330, 900, 300});
    c.词义->setChecked(true);
    c.来自词 = p.label(c.Frame1, u"来自词", QStringLiteral("来自词"), {1110, 330, 3330, 300});
    c.属性 = p.label(c.Frame1, u"属性", QStringLiteral("属性"), {150, 720, 4290, 300});

    c.求名 =
        p.place(new MWButton(QStringLiteral("求名"), window), u"求名", {1800, 3195, 1200, 420});
}

}  // namespace muwu
