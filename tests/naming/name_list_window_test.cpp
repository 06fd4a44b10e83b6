// 选名窗 over the real main and naming windows, offscreen: opened with 列出好名, filled as the user
// types, sorted by clicking headings, and a chosen name written into the main window.
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <QWindow>
#include <memory>
#include <set>

#include "controls/mw_button.h"
#include "names/main_window.h"
#include "naming/name_list_window.h"
#include "naming/naming_window.h"
#include "tests/support/data_dir.h"
#include "tests/support/widget_input.h"

namespace muwu {

class NameListWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();
    void opensFromTheNamingWindowWithItsPrefix();
    void fillsAsTheUserTypesAKeptCharacter();
    void colouredGridsAndSortableColumns();
    void genderSancaiAndBirthShapeTheList();
    void enterOrADoubleClickShowsTheNameInTheMainWindow();
    void refusedOptionsAreToldAndTheWindowKeepsWorking();
    void aStrokeListEditedWhileOpenIsSeenAtTheNextSearch();
    void everyControlIsReachableAndNamed();
    void itOpensBesideTheNamingWindowAndStaysAboveIt();
    void escClosesIt();

  private:
    void open(const QString& prefix);
    template <typename W>
    W* w(const char16_t* name) const {
        W* widget = list_ ? list_->findChild<W*>(QString::fromUtf16(name)) : nullptr;
        if (!widget)
            qFatal("选名窗 has no %s", qPrintable(QString::fromUtf16(name)));
        return widget;
    }
    void type(const char16_t* field, const QString& text) {
        test::retype(w<QLineEdit>(field), text);
    }
    [[nodiscard]] QTableWidget* table() const { return w<QTableWidget>(u"名单"); }
    // The column under a heading, wherever the window puts it.
    [[nodiscard]] int column(const char16_t* heading) const {
        for (int c = 0; c < table()->columnCount(); ++c) {
            if (table()->horizontalHeaderItem(c)->text() == QString::fromUtf16(heading))
                return c;
        }
        qFatal("选名窗 has no column %s", qPrintable(QString::fromUtf16(heading)));
    }
    [[nodiscard]] QString cell(int row, const char16_t* heading) const {
        return table()->item(row, column(heading))->text();
    }
    void waitForSearch() { QTRY_VERIFY(list_->result().has_value() || table()->rowCount() == 0); }

    std::unique_ptr<MainWindow> main_;
    QPointer<NameListWindow> list_;
};

void NameListWindowTest::init() {
    main_ = std::make_unique<MainWindow>(test::shippedData(), [](const std::filesystem::path&) {});
    main_->show();
    QVERIFY(QTest::qWaitForWindowExposed(main_.get()));
    attachNamingWindow(*main_);
}

void NameListWindowTest::cleanup() {
    main_.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void NameListWindowTest::open(const QString& prefix) {
    QTest::mouseClick(main_->control<MWButton>(QStringLiteral("自动取名")), Qt::LeftButton);
    NamingWindow* naming = namingWindowOf(*main_);
    QVERIFY(naming);
    auto* text1 = naming->findChild<QLineEdit*>(QStringLiteral("Text1"));
    text1->setFocus();
    test::typeText(text1, prefix);
    auto* button = naming->findChild<MWButton*>(QStringLiteral("列出好名"));
    QVERIFY(button);
    QVERIFY(button->isVisible());
    // Beside 求名, on the same row, within the window.
    const QRect find = naming->findChild<MWButton*>(QStringLiteral("求名"))->geometry();
    QCOMPARE(button->geometry().top(), find.top());
    QVERIFY(button->geometry().left() > find.right());
    QVERIFY(button->geometry().right() < naming->width());
    QTest::mouseClick(button, Qt::LeftButton);
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->objectName() == QStringLiteral("选名窗") && top->isVisible())
            list_ = qobject_cast<NameListWindow*>(top);
    }
    QVERIFY(list_);
    QVERIFY(QTest::qWaitForWindowExposed(list_));
    QTRY_VERIFY(list_->result().has_value());
}

void NameListWindowTest::opensFromTheNamingWindowWithItsPrefix() {
    open(QStringLiteral("王"));
    QCOMPARE(w<QLineEdit>(u"姓")->text(), QStringLiteral("王"));
    QVERIFY(!w<QCheckBox>(u"公司名")->isChecked());
    QCOMPARE(table()->rowCount(), 50);

    // The rows are the search's, in its order, with what a fresh analysis shows.
    SearchOptions o;
    o.surname = u"王";
    const SearchResult r =
        searchNames(main_->data(), searchPool(main_->data(), PoolKind::tables), o);
    QCOMPARE(list_->result()->total, r.total);
    QVERIFY(w<QLabel>(u"结果")->text().contains(QString::number(r.total)));
    for (int row = 0; row < 50; ++row) {
        const Analysis& a = r.hits[static_cast<std::size_t>(row)].analysis;
        QCOMPARE(cell(row, u"名次"), QString::number(row + 1));
        QCOMPARE(cell(row, u"名字").toStdU16String(), a.name);
        QCOMPARE(cell(row, u"评分").toStdU16String(), *a.score);
        QCOMPARE(cell(row, u"属性").toStdU16String(), a.attribute);
    }

    // A second press brings the same window back rather than another.
    NamingWindow* naming = namingWindowOf(*main_);
    QTest::mouseClick(naming->findChild<MWButton*>(QStringLiteral("列出好名")), Qt::LeftButton);
    int open = 0;
    for (QWidget* top : QApplication::topLevelWidgets())
        open += top->objectName() == QStringLiteral("选名窗") && top->isVisible();
    QCOMPARE(open, 1);
}

void NameListWindowTest::fillsAsTheUserTypesAKeptCharacter() {
    open(QStringLiteral("李"));
    type(u"保留字", QStringLiteral("明"));
    // The search runs after the keystroke's handler has returned, not inside it.
    QTRY_VERIFY(table()->rowCount() > 0 && cell(0, u"名字").mid(1, 1) == QStringLiteral("明"));
    for (int row = 0; row < table()->rowCount(); ++row)
        QCOMPARE(cell(row, u"名字").mid(1, 1), QStringLiteral("明"));

    // Kept as the second character, picked with the keyboard.
    auto* at = w<QComboBox>(u"位置");
    at->setFocus();
    QTest::keyClick(at, Qt::Key_Down);
    QCOMPARE(at->currentText(), QStringLiteral("2"));
    QTRY_COMPARE(cell(0, u"名字").mid(2, 1), QStringLiteral("明"));
    for (int row = 0; row < table()->rowCount(); ++row)
        QCOMPARE(cell(row, u"名字").mid(2, 1), QStringLiteral("明"));

    // Fewer names listed, and wanted attributes.
    auto* count = w<QSpinBox>(u"列出个数");
    count->setFocus();
    count->selectAll();
    QTest::keyClicks(count, QStringLiteral("7"));
    QTRY_COMPARE(table()->rowCount(), 7);
    type(u"五行", QStringLiteral("火火"));
    QTRY_VERIFY(table()->rowCount() > 0 && cell(0, u"属性").endsWith(QStringLiteral("火火")));
}

void NameListWindowTest::colouredGridsAndSortableColumns() {
    open(QStringLiteral("张"));
    type(u"最低评分", QStringLiteral("80"));
    auto* count = w<QSpinBox>(u"列出个数");
    count->setValue(400);
    QTRY_COMPARE(table()->rowCount(), 400);
    int red = 0;
    for (int row = 0; row < table()->rowCount(); ++row) {
        for (const char16_t* grid : {u"总格", u"天格", u"人格", u"地格", u"外格"}) {
            const QTableWidgetItem* item = table()->item(row, column(grid));
            const bool misfortune = item->text().endsWith(QStringLiteral("凶"));
            red += misfortune;
            QCOMPARE(item->foreground().color(),
                     misfortune ? QColor(255, 0, 0) : QColor(0, 128, 0));
        }
    }
    QVERIFY(red > 0);  // low enough a minimum that some grids are unlucky

    // A click on the score's heading sorts by it, a second reverses, 名次 restores the ranking.
    QHeaderView* header = table()->horizontalHeader();
    auto clickHeading = [&](int at) {
        QTest::mouseClick(
            header->viewport(), Qt::LeftButton, {},
            QPoint(header->sectionViewportPosition(at) + header->sectionSize(at) / 2,
                   header->height() / 2));
    };
    clickHeading(column(u"评分"));
    const auto scoreAt = [&](int row) { return cell(row, u"评分").toDouble(); };
    const bool ascending = scoreAt(0) <= scoreAt(table()->rowCount() - 1);
    for (int row = 1; row < table()->rowCount(); ++row)
        QVERIFY(ascending ? scoreAt(row - 1) <= scoreAt(row) : scoreAt(row - 1) >= scoreAt(row));
    clickHeading(column(u"评分"));
    QVERIFY(ascending ? scoreAt(0) >= scoreAt(table()->rowCount() - 1)
                      : scoreAt(0) <= scoreAt(table()->rowCount() - 1));
    clickHeading(column(u"名次"));
    if (cell(0, u"名次") != QStringLiteral("1"))
        clickHeading(column(u"名次"));
    for (int row = 0; row < table()->rowCount(); ++row)
        QCOMPARE(cell(row, u"名次"), QString::number(row + 1));
}

void NameListWindowTest::genderSancaiAndBirthShapeTheList() {
    open(QStringLiteral("王"));
    SearchOptions o;
    o.surname = u"王";
    const std::vector<PoolCharacter> pool = searchPool(main_->data(), PoolKind::tables);
    // The rows are the search's for the options, with its pinyin, meanings and 三才.
    const auto showsTheSearch = [&]() -> SearchResult {
        const SearchResult r = searchNames(main_->data(), pool, o);
        [&] {
            // The search runs on the next turn of the event loop after a change.
            QCoreApplication::processEvents();
            QCOMPARE(list_->result()->total, r.total);
            QCOMPARE(table()->rowCount(), int(r.hits.size()));
            for (int row = 0; row < table()->rowCount(); ++row) {
                const SearchHit& hit = r.hits[std::size_t(row)];
                QCOMPARE(cell(row, u"名字").toStdU16String(), hit.analysis.name);
                QCOMPARE(cell(row, u"拼音").toStdU16String(), hit.pinyin);
                const Sancai s = *hit.analysis.sancai;
                QCOMPARE(cell(row, u"三才"), QString::fromStdU16String(elementsText(s)) + u' ' +
                                                 QString::fromStdU16String(std::u16string(
                                                     sancaiClassName(s.verdict))));
                for (const CharacterMeaning& m : hit.meanings) {
                    QVERIFY(cell(row, u"寓意").contains(QChar(m.c) + QStringLiteral("：") +
                                                        QString::fromStdU16String(
                                                            std::u16string(m.meaning))));
                }
            }
        }();
        return r;
    };
    const auto leanings = [&] {
        std::set<Lean> seen;
        for (int row = 0; row < table()->rowCount(); ++row) {
            for (const QChar c : cell(row, u"名字").mid(1)) {
                if (const NameCharacter* n = nameCharacter(c.unicode()))
                    seen.insert(n->lean);
            }
        }
        return seen;
    };
    w<QSpinBox>(u"列出个数")->setValue(200);
    QTRY_COMPARE(table()->rowCount(), 200);
    QVERIFY(leanings().contains(Lean::male) && leanings().contains(Lean::female));

    // 性别 by the keyboard: 不限, 男, 女.
    auto* gender = w<QComboBox>(u"性别");
    gender->setFocus();
    QTest::keyClick(gender, Qt::Key_Down);
    QTest::keyClick(gender, Qt::Key_Down);
    QCOMPARE(gender->currentText(), QStringLiteral("女"));
    o.top = 200;
    o.gender = Gender::female;
    (void)showsTheSearch();
    QVERIFY(!leanings().contains(Lean::male));
    QTest::keyClick(gender, Qt::Key_Up);
    o.gender = Gender::male;
    (void)showsTheSearch();
    QVERIFY(!leanings().contains(Lean::female));

    // 三才 吉 alone: fewer names, every one of them 吉.
    const std::size_t any = list_->result()->total;
    auto* sancai = w<QComboBox>(u"三才");
    sancai->setFocus();
    QTest::keyClick(sancai, Qt::Key_Down);
    QTest::keyClick(sancai, Qt::Key_Down);
    o.sancaiAtLeast = SancaiClass::luck;
    (void)showsTheSearch();
    QVERIFY(list_->result()->total < any);
    for (int row = 0; row < table()->rowCount(); ++row)
        QVERIFY(cell(row, u"三才").endsWith(QStringLiteral("吉")));

    // A birth moment: what it lacks is shown, and names bringing it come first.
    const QStringList before = [&] {
        QStringList names;
        for (int row = 0; row < table()->rowCount(); ++row)
            names << cell(row, u"名字");
        return names;
    }();
    type(u"出生时间", QStringLiteral("2024-02-04 16:20"));
    QCOMPARE(w<QLabel>(u"八字")->text(), QStringLiteral("八字 癸卯 乙丑 戊戌 庚申　缺火"));
    o.supply = u"火";
    (void)showsTheSearch();
    QVERIFY(cell(0, u"属性").mid(1).contains(QStringLiteral("火")));
    QStringList after;
    for (int row = 0; row < table()->rowCount(); ++row)
        after << cell(row, u"名字");
    QVERIFY(after != before);

    // A reading the clocks skipped is named, in red, and the list waits for a real one.
    type(u"出生时间", QStringLiteral("1986-05-04 02:30"));
    QTRY_COMPARE(table()->rowCount(), 0);
    for (const char16_t* label : {u"结果", u"八字"}) {
        QVERIFY(w<QLabel>(label)->text().contains(QStringLiteral("不存在")));
        QCOMPARE(w<QLabel>(label)->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    }
    type(u"出生时间", QString());
    QTRY_COMPARE(table()->rowCount(), 200);

    // A company's name has neither gender nor 三才.
    w<QCheckBox>(u"公司名")->click();
    QVERIFY(!gender->isEnabled() && !sancai->isEnabled());
    QTRY_VERIFY(table()->rowCount() > 0 && cell(0, u"三才") == QStringLiteral("—"));
}

namespace {

// The order in which windows were raised, as Qt tells each one.
class RaiseOrder final : public QObject {
  public:
    explicit RaiseOrder(QList<QWidget*> windows) {
        for (QWidget* w : windows)
            w->installEventFilter(this);
    }
    QList<QObject*> raised;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::ZOrderChange)
            raised.append(watched);
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

void NameListWindowTest::enterOrADoubleClickShowsTheNameInTheMainWindow() {
    // The main window holds another name with another surname length first.
    auto* text3 = main_->control<QLineEdit>(QStringLiteral("Text3"));
    text3->setFocus();
    test::typeText(text3, QStringLiteral("欧阳修"));
    QCOMPARE(main_->form().姓长度, 2);

    open(QStringLiteral("王"));
    table()->setFocus();
    QTest::keyClick(table(), Qt::Key_Down);
    QTest::keyClick(table(), Qt::Key_Down);
    const QString second = cell(table()->currentRow(), u"名字");
    QCOMPARE(table()->currentRow(), 2);
    QTest::keyClick(table(), Qt::Key_Return);
    QCOMPARE(text3->text(), second);
    SearchOptions o;
    o.surname = u"王";
    QVERIFY(readAnalysis(main_->form()) ==
            analyseName(main_->data(), second.toStdU16String(), searchAnalysisOptions(o)));
    QCOMPARE(main_->control<QLabel>(QStringLiteral("姓"))->text(), QStringLiteral("王"));

    // 自动 is back as the user had it, for the names typed next.
    QVERIFY(main_->control<QCheckBox>(QStringLiteral("自动识别姓氏"))->isChecked());

    // A double surname, kept as given, through a double click. The main window comes forward
    // with the name, and the list over it, ready for the next pick.
    type(u"姓", QStringLiteral("诸葛"));
    QTRY_VERIFY(cell(0, u"名字").startsWith(QStringLiteral("诸葛")));
    const QRect rect = table()->visualRect(table()->model()->index(4, column(u"名字")));
    QTest::mouseClick(table()->viewport(), Qt::LeftButton, {}, rect.center());
    RaiseOrder order({main_.get(), list_.data()});
    QTest::mouseDClick(table()->viewport(), Qt::LeftButton, {}, rect.center());
    QVERIFY(!order.raised.isEmpty());
    QCOMPARE(order.raised.last(), list_.data());
    QVERIFY(list_->isVisible());
    const QString chosen = cell(4, u"名字");
    QCOMPARE(text3->text(), chosen);
    o.surname = u"诸葛";
    QVERIFY(readAnalysis(main_->form()) ==
            analyseName(main_->data(), chosen.toStdU16String(), searchAnalysisOptions(o)));
    QCOMPARE(main_->control<QLabel>(QStringLiteral("姓"))->text(), QStringLiteral("诸葛"));

    // A company name: the prefix, the generated part and the suffix.
    w<QCheckBox>(u"公司名")->click();
    type(u"后缀", QStringLiteral("科技"));
    QTRY_VERIFY(table()->rowCount() > 0 && cell(0, u"名字").endsWith(QStringLiteral("科技")));
    QCOMPARE(cell(0, u"天格"), QStringLiteral("—"));
    w<QPushButton>(u"写入主窗")->click();
    QCOMPARE(text3->text(), cell(table()->currentRow(), u"名字"));
    QVERIFY(main_->control<QRadioButton>(QStringLiteral("公司名"))->isChecked());
    QVERIFY(main_->form().公司名);
}

void NameListWindowTest::aStrokeListEditedWhileOpenIsSeenAtTheNextSearch() {
    test::DataDir dir;
    std::filesystem::copy(test::shippedData(), dir.path(),
                          std::filesystem::copy_options::recursive);
    main_ = std::make_unique<MainWindow>(dir.path(), [](const std::filesystem::path&) {});
    main_->show();
    QVERIFY(QTest::qWaitForWindowExposed(main_.get()));
    attachNamingWindow(*main_);
    open(QStringLiteral("王"));
    const std::size_t before = list_->result()->total;

    // Every character of ten strokes goes.
    dir.writeList(10, u"10画的字\r\n");
    SearchOptions o;
    o.surname = u"王";
    const std::size_t expected =
        searchNames(main_->data(), searchPool(main_->data(), PoolKind::tables), o).total;
    QVERIFY(expected < before);
    type(u"姓", QStringLiteral("王"));
    QTRY_COMPARE(list_->result()->total, expected);
    QVERIFY(w<QLabel>(u"结果")->text().contains(QString::number(expected)));
    main_.reset();  // before the folder it reads goes
}

void NameListWindowTest::refusedOptionsAreToldAndTheWindowKeepsWorking() {
    open(QStringLiteral("王"));
    type(u"五行", QStringLiteral("铁"));
    QTRY_COMPARE(table()->rowCount(), 0);
    QVERIFY(w<QLabel>(u"结果")->text().contains(QStringLiteral("金、木、水、火、土")));
    QTest::keyClick(w<QLineEdit>(u"五行"), Qt::Key_Backspace);
    QTRY_COMPARE(table()->rowCount(), 50);

    type(u"最低评分", QStringLiteral("高"));
    QTRY_COMPARE(table()->rowCount(), 0);
    QVERIFY(w<QLabel>(u"结果")->text().contains(QStringLiteral("最低评分")));
    type(u"最低评分", QString());
    type(u"姓", QString());  // a person needs a surname
    QTRY_COMPARE(table()->rowCount(), 0);
    type(u"姓", QStringLiteral("赵"));
    QTRY_COMPARE(table()->rowCount(), 50);
}

void NameListWindowTest::everyControlIsReachableAndNamed() {
    open(QStringLiteral("王"));
    QList<QWidget*> controls;
    for (QWidget* child : list_->findChildren<QWidget*>()) {
        if (!child->isVisible() || child->parentWidget() != list_)
            continue;
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(child);
        QVERIFY(a);
        QVERIFY2(!a->text(QAccessible::Name).isEmpty(), qPrintable(child->objectName()));
        QVERIFY(a->role() != QAccessible::NoRole);
        if ((child->focusPolicy() & Qt::TabFocus) && child->isEnabled())
            controls.append(child);
    }
    // Tab from the first field reaches every field and the list.
    w<QLineEdit>(u"姓")->setFocus();
    QSet<QWidget*> reached;
    for (int i = 0; i < 40; ++i) {
        QWidget* focus = QApplication::focusWidget();
        while (focus && focus->parentWidget() != list_)
            focus = focus->parentWidget();
        reached.insert(focus);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    for (QWidget* control : controls)
        QVERIFY2(reached.contains(control), qPrintable(control->objectName()));
}

void NameListWindowTest::itOpensBesideTheNamingWindowAndStaysAboveIt() {
    open(QStringLiteral("王"));
    NamingWindow* naming = namingWindowOf(*main_);
    // Clear of the naming window it came from, which has room beside it on this screen.
    QVERIFY(!list_->frameGeometry().intersects(naming->frameGeometry()));
    QVERIFY(list_->screen()->availableGeometry().contains(list_->frameGeometry()));
    // Above the naming window, which stays above the others, and above what it covers.
    QCOMPARE(list_->windowHandle()->transientParent(), naming->windowHandle());
    QVERIFY(list_->windowFlags().testFlag(Qt::WindowStaysOnTopHint));

    // A screen reader finds a window, and the count as what it says.
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(list_);
    QCOMPARE(window->role(), QAccessible::Window);
    QCOMPARE(window->text(QAccessible::Name), QStringLiteral("选名窗"));
    QAccessibleInterface* count = QAccessible::queryAccessibleInterface(w<QLabel>(u"结果"));
    QCOMPARE(count->text(QAccessible::Name), w<QLabel>(u"结果")->text());
    QVERIFY(count->text(QAccessible::Name).startsWith(QStringLiteral("共 ")));
    QAccessibleTextInterface* text = count->textInterface();
    QVERIFY(text);
    QCOMPARE(text->text(0, text->characterCount()), w<QLabel>(u"结果")->text());
}

void NameListWindowTest::escClosesIt() {
    open(QStringLiteral("王"));
    table()->setFocus();
    QTest::keyClick(table(), Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!list_);
    open(QStringLiteral("王"));
    w<QLineEdit>(u"不用字")->setFocus();
    QTest::keyClick(w<QLineEdit>(u"不用字"), Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!list_);
    QVERIFY(namingWindowOf(*main_) && namingWindowOf(*main_)->isVisible());
}

}  // namespace muwu

QTEST_MAIN(muwu::NameListWindowTest)
#include "name_list_window_test.moc"
