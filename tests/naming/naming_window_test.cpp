// Opening and closing the naming window, its controls, its place on top, and a missing word list.
#include "tests/naming/naming_window_test.h"

#include <QAccessible>
#include <set>
#include <utility>

#include <QAbstractItemView>
#include <QApplication>
#include <QFontInfo>
#include <QGroupBox>
#include <QImage>
#include <QScreen>
#include <QWindow>
#include <stdexcept>

#include "names/version.h"
#include "platform/gbk.h"
#include "tests/support/widget_input.h"

namespace muwu {

void NamingWindowTest::init() {
    seed_ = 1;
    opened_.clear();
    failPools_ = false;
    forcedPool_.clear();
    makeMain(test::shippedData());
}

void NamingWindowTest::cleanup() {
    main_.reset();
    dir_.reset();
}

void NamingWindowTest::makeMain(const std::filesystem::path& data, bool testPools) {
    main_.reset();
    main_ = std::make_unique<MainWindow>(data, [](const std::filesystem::path&) {});
    main_->show();
    main_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(main_.get()));
    NamingWindowOptions options;
    options.seed = [this] { return seed_; };
    if (testPools) {
        options.pools = [this](int k) {
            opened_.insert(k);
            if (failPools_)
                throw std::runtime_error("磁盘读不出");
            if (!forcedPool_.empty())
                return forcedPool_;
            return main_->data().strokePool(k);
        };
    }
    attachNamingWindow(*main_, std::move(options));
    // Connected after the main window's own handler, so the analysis is complete when it runs.
    connect(m<QLineEdit>(u"Text3"), &QLineEdit::textChanged, main_.get(), [this](const QString& t) {
        if (!recording_ || t.isEmpty())
            return;
        recording_->append({t, m<QRadioButton>(u"公司名")->isChecked(), red(u"Text4"),
                            red(u"Text6"), red(u"Text7"), red(u"Text8"),
                            n<QLabel>(u"来自词")->text(), main_->正在取名()});
    });
}

void NamingWindowTest::openNaming() {
    QTest::mouseClick(m<MWButton>(u"自动取名"), Qt::LeftButton);
    naming_ = namingWindowOf(*main_);
    QVERIFY(naming_);
    QVERIFY(QTest::qWaitForWindowExposed(naming_));
}

void NamingWindowTest::typeInto(QLineEdit* edit, const QString& text) {
    test::retype(edit, text);
    QCOMPARE(edit->text(), text);
}

void NamingWindowTest::pick(const char16_t* name, const QString& entry) {
    // As the user does: open the list and click the entry.
    auto* combo = n<QComboBox>(name);
    const int index = combo->findText(entry);
    QVERIFY(index >= 0);
    combo->showPopup();
    QAbstractItemView* view = combo->view();
    const QModelIndex item = view->model()->index(index, 0);
    view->scrollTo(item);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(item).center());
    QTRY_VERIFY(!view->isVisible());
    QCOMPARE(combo->currentText(), entry);
}

void NamingWindowTest::setUp(const QString& prefix, const QString& suffix, const QString& count,
                             const QString& limit, bool wordMeaning) {
    typeInto(n<QLineEdit>(u"Text1"), prefix);
    typeInto(n<QLineEdit>(u"Text2"), suffix);
    auto* counts = n<QComboBox>(u"求的字数");
    if (counts->findText(count) >= 0) {
        pick(u"求的字数", count);
    } else {
        typeInto(counts->lineEdit(), count);
    }
    typeInto(n<QComboBox>(u"字复杂程度")->lineEdit(), limit);
    auto* tick = n<QCheckBox>(u"词义");
    if (tick->isChecked() != wordMeaning) {
        if (tick->isVisible()) {
            QTest::mouseClick(tick, Qt::LeftButton);
        } else {
            tick->setChecked(wordMeaning);
        }
    }
}

QList<Attempt> NamingWindowTest::press求名() {
    QList<Attempt> attempts;
    recording_ = &attempts;
    QTest::mouseClick(n<MWButton>(u"求名"), Qt::LeftButton);
    recording_ = nullptr;
    return attempts;
}

void NamingWindowTest::closeNotices() {
    for (QMessageBox* box : naming_->findChildren<QMessageBox*>())
        box->close();
    processDeletes();
}

void NamingWindowTest::processDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

void NamingWindowTest::autoNamingOpensTheWindowModelessly() {
    QVERIFY(!namingWindowOf(*main_));
    openNaming();
    QCOMPARE(naming_->windowTitle(), QStringLiteral("取名窗"));
    QCOMPARE(naming_->objectName(), QStringLiteral("取名窗"));
    QVERIFY(naming_->isWindow());
    QVERIFY(naming_->isVisible());
    QCOMPARE(naming_->windowModality(), Qt::NonModal);
    QVERIFY(!QApplication::activeModalWidget());

    // The main window goes on working beside it.
    auto* name = m<QLineEdit>(u"Text3");
    QTest::sendKeyEvent(QTest::Click, name, Qt::Key_unknown, QStringLiteral("欧"), Qt::NoModifier);
    QCOMPARE(m<QLabel>(u"姓")->text(), QStringLiteral("欧"));

    // A second press shows the same window.
    QTest::mouseClick(m<MWButton>(u"自动取名"), Qt::LeftButton);
    int open = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        open += qobject_cast<NamingWindow*>(w) != nullptr && w->isVisible();
    QCOMPARE(open, 1);
    QCOMPARE(namingWindowOf(*main_), naming_.data());
}

void NamingWindowTest::controlsHaveTheirInitialContents() {
    openNaming();
    const QList<QLabel*> label1 = naming_->findChildren<QLabel*>(QStringLiteral("Label1"));
    QCOMPARE(label1.size(), 2);
    for (QLabel* l : label1) {
        const int index = l->property("index").toInt();
        QCOMPARE(l->text(), index == 0 ? QStringLiteral("前缀（姓）：")
                                       : QStringLiteral("后缀（行业名称）："));
    }
    QCOMPARE(n<QLineEdit>(u"Text1")->text(), QString());
    QCOMPARE(n<QLineEdit>(u"Text2")->text(), QString());
    QCOMPARE(n<QLabel>(u"Label2")->text(), QStringLiteral("自动取字的个数："));
    QCOMPARE(n<QLabel>(u"Label3")->text(), QStringLiteral("复杂程度（笔画数）：        以内"));
    QCOMPARE(n<QGroupBox>(u"Frame1")->title(), QStringLiteral("锁定字与规则："));
    QCOMPARE(n<QCheckBox>(u"词义")->text(), QStringLiteral("词义"));
    QVERIFY(n<QCheckBox>(u"词义")->isChecked());
    QVERIFY(n<QCheckBox>(u"词义")->isVisible());
    QVERIFY(n<QCheckBox>(u"词义")->isEnabled());
    QCOMPARE(n<QLabel>(u"来自词")->text(), QStringLiteral("来自词"));
    QCOMPARE(n<QLabel>(u"属性")->text(), QStringLiteral("属性"));
    QCOMPARE(n<MWButton>(u"求名")->Caption(), QStringLiteral("求名"));

    struct Combo {
        const char16_t* name;
        int first, last;
        const char* text;
    };
    for (const Combo& c : {Combo{u"求的字数", 1, 22, "2"}, Combo{u"字复杂程度", 3, 30, "9"}}) {
        auto* combo = n<QComboBox>(c.name);
        QVERIFY(combo->isEditable());
        QCOMPARE(combo->currentText(), QString::fromLatin1(c.text));
        QCOMPARE(combo->count(), c.last - c.first + 1);
        for (int i = 0; i < combo->count(); ++i)
            QCOMPARE(combo->itemText(i), QString::number(c.first + i));
    }

    // The face of the main window's captions (宋体 or its stand-in), not the platform's default.
    const QString face = QFontInfo(m<QLabel>(u"Label1")->font()).family();
    for (const char16_t* name : {u"Label2", u"Label3", u"来自词", u"属性"})
        QCOMPARE(QFontInfo(n<QLabel>(name)->font()).family(), face);
    QCOMPARE(QFontInfo(n<QCheckBox>(u"词义")->font()).family(), face);

    QCOMPARE(naming_->wordList().status, WordListStatus::ok);
    QCOMPARE(naming_->wordList().words.wordCount(), std::size_t{8787});

    // Every control inside the window, its caption unclipped.
    for (QWidget* w : naming_->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(naming_) || w->objectName().isEmpty() || !w->parentWidget() ||
            w->window() != naming_)
            continue;
        const QRect r(w->mapTo(naming_.data(), QPoint(0, 0)), w->size());
        QVERIFY2(naming_->rect().contains(r), qPrintable(w->objectName()));
        if (qobject_cast<QLabel*>(w) || qobject_cast<QCheckBox*>(w) ||
            qobject_cast<QPushButton*>(w)) {
            QVERIFY2(w->sizeHint().width() <= w->width(), qPrintable(w->objectName()));
        }
    }
}

void NamingWindowTest::theStrokeLimitSitsInTheGapOfItsCaption() {
    openNaming();
    auto* label = n<QLabel>(u"Label3");
    auto* combo = n<QComboBox>(u"字复杂程度");
    // Ink of the caption, column by column, as the label draws itself.
    const QImage ink = label->grab().toImage();
    QList<int> inked;
    for (int x = 0; x < ink.width(); ++x) {
        for (int y = 0; y < ink.height(); ++y) {
            if (qGray(ink.pixel(x, y)) < 128) {
                inked.append(label->x() + x / static_cast<int>(ink.devicePixelRatio()));
                break;
            }
        }
    }
    QVERIFY(!inked.isEmpty());
    const QRect box = combo->geometry();
    QVERIFY(inked.first() < box.left());
    QVERIFY2(inked.last() > box.right(), "以内 is drawn after the box");
    for (const int x : inked)
        QVERIFY2(x < box.left() || x > box.right(), qPrintable(QString::number(x)));
    QVERIFY(combo->width() >= combo->minimumSizeHint().width());
    QVERIFY(label->geometry().right() < naming_->width());

    // The rows and the frame do not overlap.
    const QList<QWidget*> rows = {n<QLineEdit>(u"Text1"),    n<QLineEdit>(u"Text2"),
                                  n<QComboBox>(u"求的字数"), combo,
                                  n<QGroupBox>(u"Frame1"),   n<MWButton>(u"求名")};
    for (qsizetype i = 0; i < rows.size(); ++i) {
        for (qsizetype j = i + 1; j < rows.size(); ++j)
            QVERIFY(!rows[i]->geometry().intersects(rows[j]->geometry()));
    }
}

void NamingWindowTest::pickingACountShowsWordMeaningOnlyForTwo() {
    openNaming();
    auto* tick = n<QCheckBox>(u"词义");
    pick(u"求的字数", QStringLiteral("3"));
    QVERIFY(tick->isHidden());
    pick(u"求的字数", QStringLiteral("2"));
    QVERIFY(!tick->isHidden());
    QVERIFY(tick->isChecked());

    QTest::mouseClick(tick, Qt::LeftButton);
    pick(u"求的字数", QStringLiteral("22"));
    QVERIFY(tick->isHidden());
    pick(u"求的字数", QStringLiteral("2"));
    QVERIFY(!tick->isHidden());
    QVERIFY(!tick->isChecked());  // its tick unchanged

    // Typing into the edit field is no pick, not even when the field is left.
    typeInto(n<QComboBox>(u"求的字数")->lineEdit(), QStringLiteral("5"));
    QTest::mouseClick(n<QLineEdit>(u"Text1"), Qt::LeftButton);
    QVERIFY(!n<QComboBox>(u"求的字数")->lineEdit()->hasFocus());
    QVERIFY(!tick->isHidden());
    QCOMPARE(n<QComboBox>(u"求的字数")->currentText(), QStringLiteral("5"));
}

void NamingWindowTest::aClosedWindowIsCreatedAfresh() {
    openNaming();
    setUp(QStringLiteral("张"), QStringLiteral("科技"), QStringLiteral("3"), QStringLiteral("12"),
          false);
    (void)press求名();
    closeNotices();
    naming_->close();
    processDeletes();
    QVERIFY(!naming_);
    QVERIFY(!namingWindowOf(*main_));

    openNaming();
    QCOMPARE(n<QLineEdit>(u"Text1")->text(), QString());
    QCOMPARE(n<QLineEdit>(u"Text2")->text(), QString());
    QCOMPARE(n<QComboBox>(u"求的字数")->currentText(), QStringLiteral("2"));
    QCOMPARE(n<QComboBox>(u"字复杂程度")->currentText(), QStringLiteral("9"));
    QVERIFY(n<QCheckBox>(u"词义")->isChecked());
    QVERIFY(!n<QCheckBox>(u"词义")->isHidden());
    QCOMPARE(n<QLabel>(u"属性")->text(), QStringLiteral("属性"));
    QCOMPARE(n<QLabel>(u"来自词")->text(), QStringLiteral("来自词"));

    // It goes with the main window.
    const QPointer<NamingWindow> window = naming_;
    main_.reset();
    QVERIFY(!window);
}

void NamingWindowTest::itStaysOnTopAtEveryActivation() {
    openNaming();
    QVERIFY(naming_->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    // Taken away behind its back, the flag is back at the next activation.
    naming_->setWindowFlag(Qt::WindowStaysOnTopHint, false);
    naming_->show();
    // The offscreen platform does not activate windows; its event is what the platform sends.
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(naming_, &activate);
    QVERIFY(naming_->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(naming_->isVisible());
}

void NamingWindowTest::aMissingWordListIsToldAndCharactersStillServe() {
    dir_ = std::make_unique<test::DataDir>();
    for (const auto& entry : std::filesystem::directory_iterator(test::shippedData())) {
        const std::string ext = entry.path().extension().string();
        if ((ext == ".txt" || ext == ".lib") && entry.path().filename() != "4.lib")
            std::filesystem::copy_file(entry.path(), dir_->path() / entry.path().filename());
    }
    makeMain(dir_->path());
    openNaming();
    QCOMPARE(naming_->wordList().status, WordListStatus::missing);
    const QList<QMessageBox*> told = notices(QStringLiteral("词库消息"));
    QCOMPARE(told.size(), 1);
    QVERIFY(told[0]->text().contains(QStringLiteral("找不到词库“4.lib”")));
    QCOMPARE(told[0]->windowTitle(), q(applicationTitle()));
    closeNotices();
    auto* tick = n<QCheckBox>(u"词义");
    QVERIFY(!tick->isChecked());
    QVERIFY(!tick->isEnabled());
    QVERIFY(tick->toolTip().contains(QStringLiteral("4.lib")));

    typeInto(n<QLineEdit>(u"Text1"), QStringLiteral("张"));
    const QList<Attempt> attempts = press求名();
    QVERIFY(!attempts.isEmpty());
    for (const Attempt& a : attempts)
        QCOMPARE(a.name.size(), 3);
    QVERIFY(n<QLabel>(u"来自词")->isHidden());
    QCOMPARE(n<QLabel>(u"来自词")->text(), QStringLiteral("来自词"));
}

void NamingWindowTest::aDamagedWordListIsToldAndItsSoundWordsServe() {
    dir_ = std::make_unique<test::DataDir>();
    for (const auto& entry : std::filesystem::directory_iterator(test::shippedData())) {
        const std::string ext = entry.path().extension().string();
        if ((ext == ".txt" || ext == ".lib") && entry.path().filename() != "4.lib")
            std::filesystem::copy_file(entry.path(), dir_->path() / entry.path().filename());
    }
    dir_->writeBytes(kWordListName, encodeGbk(u"一心一意\r\n").bytes + "\xFF\r\n");
    makeMain(dir_->path());
    openNaming();
    QCOMPARE(naming_->wordList().status, WordListStatus::ok);
    const QList<QMessageBox*> told = notices(QStringLiteral("词库消息"));
    QCOMPARE(told.size(), 1);
    QVERIFY(told[0]->text().contains(QStringLiteral("无效的 GBK 编码")));
    closeNotices();
    QVERIFY(n<QCheckBox>(u"词义")->isEnabled());
}

void NamingWindowTest::itOpensOnScreenAndReadsWell() {
    openNaming();
    QVERIFY(naming_->screen()->availableGeometry().contains(naming_->frameGeometry()));

    std::set<std::pair<QString, QString>> names;
    for (QAccessibleInterface* iface : test::accessibleTree(naming_)) {
        if (!iface->object())
            continue;  // the entries of a combo box's list
        const QString name = iface->object()->objectName();
        if (!name.isEmpty() && !name.startsWith(QStringLiteral("qt_")))
            names.emplace(name, iface->text(QAccessible::Name));
    }
    const std::set<std::pair<QString, QString>> expected = {
        {QStringLiteral("取名窗"), QStringLiteral("取名窗")},
        {QStringLiteral("Label1"), QStringLiteral("前缀（姓）：")},
        {QStringLiteral("Label1"), QStringLiteral("后缀（行业名称）：")},
        {QStringLiteral("Text1"), QStringLiteral("前缀（姓）：")},
        {QStringLiteral("Text2"), QStringLiteral("后缀（行业名称）：")},
        {QStringLiteral("Label2"), QStringLiteral("自动取字的个数：")},
        {QStringLiteral("求的字数"), QStringLiteral("2")},
        {QStringLiteral("Label3"), QStringLiteral("复杂程度（笔画数）：        以内")},
        {QStringLiteral("字复杂程度"), QStringLiteral("9")},
        {QStringLiteral("Frame1"), QStringLiteral("锁定字与规则：")},
        {QStringLiteral("词义"), QStringLiteral("词义")},
        {QStringLiteral("来自词"), QStringLiteral("来自词")},
        {QStringLiteral("属性"), QStringLiteral("属性")},
        {QStringLiteral("求名"), QStringLiteral("求名")},
        {QStringLiteral("列出好名"), QStringLiteral("列出好名")},
        {QStringLiteral("性别标签"), QStringLiteral("性别：")},
        {QStringLiteral("性别"), QStringLiteral("不限")},
        {QStringLiteral("出生板"), QStringLiteral("出生（可不填）：")},
        {QStringLiteral("出生时间标签"), QStringLiteral("出生时间：")},
        {QStringLiteral("出生时间"), QStringLiteral("出生时间：")},
        {QStringLiteral("时区标签"), QStringLiteral("时区：")},
        {QStringLiteral("时区"), QStringLiteral("时区：")},
        {QStringLiteral("八字"), n<QLabel>(u"八字")->text()},
    };
    QCOMPARE(names, expected);
    // A combo box reads out its number; its caption is told as the label it has.
    const auto labelOf = [](QWidget* w) -> QObject* {
        const auto related =
            QAccessible::queryAccessibleInterface(w)->relations(QAccessible::Label);
        return related.isEmpty() ? nullptr : related.first().first->object();
    };
    QCOMPARE(labelOf(n<QWidget>(u"求的字数")), n<QWidget>(u"Label2"));
    QCOMPARE(labelOf(n<QWidget>(u"字复杂程度")), n<QWidget>(u"Label3"));
    QCOMPARE(labelOf(n<QWidget>(u"性别")), n<QWidget>(u"性别标签"));

    // A hidden 词义 is not read out.
    pick(u"求的字数", QStringLiteral("3"));
    QVERIFY(n<QCheckBox>(u"词义")->isHidden());
    const QAccessibleInterface* frame =
        QAccessible::queryAccessibleInterface(n<QWidget>(u"Frame1"));
    for (int i = 0; i < frame->childCount(); ++i)
        QVERIFY(frame->child(i)->object()->objectName() != QStringLiteral("词义"));
}

void NamingWindowTest::itOpensBesideTheMainWindowAndStaysAboveIt() {
    openNaming();
    const QRect free = naming_->screen()->availableGeometry();
    QVERIFY(free.contains(naming_->frameGeometry()));
    // On a screen with no room beside the main window, it covers as little as it can, and none
    // of the name bar, where the names it finds are shown.
    const QWidget* bar = m<QWidget>(u"Frame1");
    const QRect barOnScreen(bar->mapToGlobal(QPoint(0, 0)), bar->size());
    QVERIFY(!naming_->frameGeometry().intersects(barOnScreen));
    const QRect covered = naming_->frameGeometry().intersected(main_->frameGeometry());
    QVERIFY(covered.width() * covered.height() <
            naming_->frameGeometry().width() * naming_->frameGeometry().height() / 2);
    // Kept above the main window by the window system, and on top by its own flag.
    QCOMPARE(naming_->windowHandle()->transientParent(), main_->windowHandle());
    QVERIFY(naming_->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    // Of a fixed size, as the main window: no maximise button.
    QVERIFY(!naming_->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(naming_->windowFlags().testFlag(Qt::WindowCloseButtonHint));
}

void NamingWindowTest::escClosesIt() {
    openNaming();
    n<QLineEdit>(u"Text2")->setFocus();
    QTest::keyClick(n<QLineEdit>(u"Text2"), Qt::Key_Escape);
    processDeletes();
    QVERIFY(!naming_);
    QVERIFY(!namingWindowOf(*main_));
    openNaming();
    n<QComboBox>(u"字复杂程度")->setFocus();
    QTest::keyClick(n<QComboBox>(u"字复杂程度"), Qt::Key_Escape);
    processDeletes();
    QVERIFY(!naming_);
    QVERIFY(main_->isVisible());
}

}  // namespace muwu

QTEST_MAIN(muwu::NamingWindowTest)
