// The help menu popped up from the main window, the about box over the cover's picture, and the
// three links as the about box runs them.
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QWindow>
#include <new>

#include "names/version.h"
#include "shell/about_box.h"
#include "shell/cover.h"
#include "shell/cover_picture.h"
#include "shell/menu_window.h"
#include "tests/shell/shell_test_support.h"

namespace muwu {

using namespace shell_test;

namespace {

QAction* item(MenuWindow& menu, const QString& name) {
    for (QAction* a : menu.帮助()->actions()) {
        if (a->objectName() == name)
            return a;
    }
    return nullptr;
}

AboutBox* openAbout(StartUp& s) {
    item(s.menuWindow(), QStringLiteral("关于《沐梧取名器》"))->trigger();
    return s.menuWindow().aboutBox();
}

QLabel* label(QWidget* w, const char* name) {
    return w->findChild<QLabel*>(QString::fromUtf8(name));
}

}  // namespace

class AboutTest : public QObject {
    Q_OBJECT

  private slots:
    void label4PopsUpTheHelpMenuWithItsTwoItems();
    void aboutBoxShowsItsTextsOverTheCoversPicture();
    void aboutBoxIsOneReloadsAtEachOpeningAndOkDestroysIt();
    void aboutLinksOpenTheirTargetsAndRecordVisits();
    void poetryLinkPrefersTheLocalProgram();
    void updateItemSaysThereIsNoCheckYet();
    void failingUpdateCheckSaysWhy();
    void aboutBoxIsADialogBesideTheMainWindow();
};

void AboutTest::label4PopsUpTheHelpMenuWithItsTwoItems() {
    Machine m;
    auto s = startedWithMainWindow(m);
    QVERIFY(s);
    auto* label4 = s->mainWindow()->control<QLabel>(QStringLiteral("Label4"));
    QVERIFY(label4);
    QCOMPARE(label4->text(), QStringLiteral("帮助"));
    QTest::mousePress(label4, Qt::LeftButton, {}, QPoint(3, 3));

    MenuWindow& menu = s->menuWindow();
    QCOMPARE(menu.objectName(), QStringLiteral("菜单窗"));
    QCOMPARE(menu.windowTitle(), QStringLiteral("菜单窗"));
    QVERIFY(!menu.isVisible());
    QMenu* help = menu.帮助();
    QCOMPARE(help->objectName(), QStringLiteral("帮助"));
    QCOMPARE(help->title(), QStringLiteral("帮助"));
    QTRY_VERIFY(help->isVisible());
    QVERIFY(help->geometry().contains(label4->mapToGlobal(QPoint(3, 3))));

    QStringList names, captions;
    for (const QAction* a : help->actions()) {
        names << a->objectName();
        captions << a->text();
    }
    QCOMPARE(names,
             (QStringList{QStringLiteral("关于《沐梧取名器》"), QStringLiteral("新版本检测")}));
    QCOMPARE(captions, (QStringList{QStringLiteral("关于《沐梧取名器》"),
                                    QStringLiteral("新版本检测（升级）")}));
    // Open, the menu and its items are there for a screen reader, on the main window.
    QAccessibleInterface* menuFace = QAccessible::queryAccessibleInterface(help);
    QCOMPARE(menuFace->role(), QAccessible::PopupMenu);
    QCOMPARE(menuFace->text(QAccessible::Name), QStringLiteral("帮助"));
    QVERIFY(!menuFace->state().invisible);
    QCOMPARE(help->parentWidget(), s->mainWindow());
    QCOMPARE(help->windowHandle()->transientParent(), s->mainWindow()->windowHandle());
    QAccessibleInterface* mainFace = QAccessible::queryAccessibleInterface(s->mainWindow());
    QCOMPARE(mainFace->child(mainFace->childCount() - 1)->object(), help);
    QCOMPARE(menuFace->childCount(), 2);
    QCOMPARE(menuFace->child(0)->role(), QAccessible::MenuItem);
    QCOMPARE(menuFace->child(0)->text(QAccessible::Name), QStringLiteral("关于《沐梧取名器》"));
    QCOMPARE(menuFace->child(1)->text(QAccessible::Name), QStringLiteral("新版本检测（升级）"));
    help->hide();
    QVERIFY(mainFace->child(mainFace->childCount() - 1)->object() != help);  // closed: gone
    QVERIFY(m.urls.opened() == std::vector<QUrl>{kSiteUrl});

    // The keyboard opens it too: Tab to 帮助, then Space.
    label4->setFocus();
    QTest::keyClick(label4, Qt::Key_Space);
    QTRY_VERIFY(help->isVisible());
    help->hide();
}

void AboutTest::aboutBoxShowsItsTextsOverTheCoversPicture() {
    Machine m;
    StartUp s(m.options(Cover::kDelay));
    AboutBox* about = openAbout(s);
    QVERIFY(about);
    QVERIFY(about->isVisible());
    QVERIFY(!about->isModal());
    // Above every window, the naming window that stays on top included.
    QVERIFY(about->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(about->screen()->availableGeometry().contains(about->frameGeometry()));
    QCOMPARE(about->objectName(), QStringLiteral("关于"));
    QCOMPARE(about->windowTitle(), QStringLiteral("关于 沐梧取名器"));
    QCOMPARE(label(about, "lblVersion")->text(), QStringLiteral("版本 3.0.28"));
    QCOMPARE(label(about, "lblVersion")->text(),
             QStringLiteral("版本 ") + QString::fromStdString(versionText()));
    QCOMPARE(
        label(about, "lblDescription")->text(),
        QStringLiteral("    《沐梧取名器》是一款智能的起名软件。它的基本原理来自中国古代《周易》"
                       "演化成的《姓名学》，经过长期的考证发现它的准确率达到100%，一个人的姓名直接"
                       "影响人的一生！为了我们下一代的幸福安康，以及我们的美好未来，特编写本软件免"
                       "费赠送给每一个炎黄子孙。"));
    QCOMPARE(label(about, "沐梧工作室")->text(), QStringLiteral("官方网站：沐梧工作室"));
    QCOMPARE(label(about, "沐梧工作室")->toolTip(), kSite);
    QCOMPARE(label(about, "设计")->text(), QStringLiteral("设计：青岑"));
    QCOMPARE(label(about, "设计")->toolTip(), kAuthorUrl.toString());
    QCOMPARE(label(about, "诗集")->text(), QStringLiteral("青岑诗集"));
    QCOMPARE(label(about, "诗集")->toolTip(), kPoetryUrl.toString());
    auto* ok = about->findChild<QPushButton*>(QStringLiteral("cmdOK"));
    QVERIFY(ok);
    QCOMPARE(ok->text(), QStringLiteral("确定"));
    for (const char* link : {"沐梧工作室", "设计", "诗集"})
        QVERIFY2(tooltipBackgroundShare(label(about, link)) > 0.5, link);
    const std::map<QString, QString> names = accessibleNames(about);
    QCOMPARE(names.at(QStringLiteral("关于")), QStringLiteral("关于 沐梧取名器"));
    QCOMPARE(names.at(QStringLiteral("cmdOK")), QStringLiteral("确定"));
    QCOMPARE(names.at(QStringLiteral("lblVersion")), QStringLiteral("版本 3.0.28"));
    QVERIFY(names.at(QStringLiteral("lblDescription")).contains(QStringLiteral("炎黄子孙")));
    QCOMPARE(names.at(QStringLiteral("诗集")), QStringLiteral("青岑诗集"));
    QCOMPARE(QAccessible::queryAccessibleInterface(ok)->role(), QAccessible::Button);

    // Every text fits inside the box, and the box is drawn on the cover's picture.
    for (const QWidget* w : about->findChildren<QWidget*>()) {
        if (!w->isWindow())  // a tooltip is a window of its own
            QVERIFY2(about->rect().contains(w->geometry()), qPrintable(w->objectName()));
    }
    const QImage shown = about->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shown.pixel(5, 5), coverPicture().pixel(5, 5));
    QCOMPARE(shown.pixel(450, 100), coverPicture().pixel(450, 100));
}

void AboutTest::aboutBoxIsOneReloadsAtEachOpeningAndOkDestroysIt() {
    Machine m;
    StartUp s(m.options(Cover::kDelay));
    QPointer<AboutBox> first = openAbout(s);
    first->setWindowTitle(QStringLiteral("changed"));
    label(first, "lblVersion")->setText(QStringLiteral("版本"));
    QCOMPARE(openAbout(s), first.data());
    QCOMPARE(first->windowTitle(), QStringLiteral("关于 沐梧取名器"));
    QCOMPARE(label(first, "lblVersion")->text(), QStringLiteral("版本 3.0.28"));

    QTest::mouseClick(first->findChild<QPushButton*>(QStringLiteral("cmdOK")), Qt::LeftButton);
    QTRY_VERIFY(first.isNull());
    QVERIFY(!s.menuWindow().aboutBox());
    QPointer<AboutBox> second = openAbout(s);
    QVERIFY(second && second->isVisible());
    // Escape closes it as 确定 does.
    QTest::keyClick(second, Qt::Key_Escape);
    QTRY_VERIFY(second.isNull());
}

void AboutTest::aboutLinksOpenTheirTargetsAndRecordVisits() {
    Machine m;
    // Not a first start: nothing opens by itself.
    m.writeSettings("[参数]\n已经打开官方网页=False\n已经打开作者网页=False\n");
    {
        StartUp s(m.options(Cover::kDelay));
        m.urls.clear();
        AboutBox* about = openAbout(s);
        QTest::mouseClick(label(about, "沐梧工作室"), Qt::LeftButton);
        QCOMPARE(m.urls.opened(), std::vector<QUrl>{kSiteUrl});
        QCOMPARE(m.stored(kSiteKey), std::optional<QString>(QStringLiteral("True")));
        QTest::mouseClick(label(about, "诗集"), Qt::LeftButton);
        QCOMPARE(m.urls.opened().back(), kPoetryUrl);
        QTest::mouseClick(label(about, "设计"), Qt::LeftButton);
        QCOMPARE(m.urls.opened().back(), kAuthorUrl);
        QCOMPARE(m.stored(kAuthorKey), std::optional<QString>(QStringLiteral("True")));
        QCOMPARE(m.urls.opened().size(), 3u);
        // A press dragged off the label is no click.
        QTest::mousePress(label(about, "诗集"), Qt::LeftButton, {}, QPoint(2, 2));
        QTest::mouseRelease(label(about, "诗集"), Qt::LeftButton, {}, QPoint(-30, -30));
        QCOMPARE(m.urls.opened().size(), 3u);
    }
    m.urls.clear();
    // The site clicked in the about box is not opened by the next start.
    StartUp next(m.options(Cover::kDelay));
    QVERIFY(m.urls.opened().empty());
}

void AboutTest::poetryLinkPrefersTheLocalProgram() {
    Machine m;
    m.place(QStringLiteral("QingCenRoZa/青岑诗集.exe"));
    StartUp s(m.options(Cover::kDelay));
    m.urls.clear();
    AboutBox* about = openAbout(s);
    // The tooltip still names the page on the site.
    QCOMPARE(label(about, "诗集")->toolTip(), kPoetryUrl.toString());
    QTest::mouseClick(label(about, "诗集"), Qt::LeftButton);
    const QString local =
        QFile::decodeName((m.linkFolder() / "QingCenRoZa" / "青岑诗集.exe").c_str());
    QCOMPARE(m.urls.opened(), std::vector<QUrl>{QUrl::fromLocalFile(local)});
    // The poetry link remembers nothing.
    QVERIFY(!m.stored(QStringLiteral("已经打开诗集")));
    QVERIFY(!m.stored(kAuthorKey));
}

void AboutTest::updateItemSaysThereIsNoCheckYet() {
    Machine m;
    StartUp s(m.options(Cover::kDelay));
    MenuWindow& menu = s.menuWindow();
    item(menu, QStringLiteral("新版本检测"))->trigger();
    auto* box = menu.findChild<QMessageBox*>(QStringLiteral("新版本检测消息"));
    QVERIFY(box);
    QVERIFY(box->isVisible());
    // Nothing else takes input until it is answered.
    QCOMPARE(box->windowModality(), Qt::ApplicationModal);
    QCOMPARE(QApplication::activeModalWidget(), box);
    QCOMPARE(box->text(), QStringLiteral("新版本检测暂不可用，将在以后的版本中提供。"));
    QCOMPARE(box->windowTitle(), QString::fromStdU16String(applicationTitle()));
    box->close();

    int checks = 0;
    menu.setUpdateCheck([&checks] { ++checks; });
    item(menu, QStringLiteral("新版本检测"))->trigger();
    QCOMPARE(checks, 1);
    QTRY_VERIFY(!menu.findChild<QMessageBox*>(QStringLiteral("新版本检测消息")));
}

void AboutTest::failingUpdateCheckSaysWhy() {
    Machine m;
    StartUp s(m.options(Cover::kDelay));
    MenuWindow& menu = s.menuWindow();
    // A check that runs out of memory (a list read whole, say) is not lost without a word.
    menu.setUpdateCheck([] { throw std::bad_alloc(); });
    item(menu, QStringLiteral("新版本检测"))->trigger();
    auto* box = menu.findChild<QMessageBox*>(QStringLiteral("新版本检测消息"));
    QVERIFY(box);
    QVERIFY(box->isVisible());
    QCOMPARE(box->text(), QStringLiteral("新版本检测出错，已经中止（内存不足）。"));
    box->close();
}

void AboutTest::aboutBoxIsADialogBesideTheMainWindow() {
    Machine m;
    auto s = startedWithMainWindow(m);
    QVERIFY(s);
    MainWindow& main = *s->mainWindow();
    s->menuWindow().popUp(main.mapToGlobal(QPoint(60, 160)), &main);
    s->menuWindow().帮助()->hide();
    AboutBox* about = openAbout(*s);
    QCOMPARE(QAccessible::queryAccessibleInterface(about)->role(), QAccessible::Dialog);
    QCOMPARE(QAccessible::queryAccessibleInterface(about)->text(QAccessible::Name),
             QStringLiteral("关于 沐梧取名器"));
    // Clear of the name bar of the window it came from, and kept above that window.
    const QWidget* bar = main.control(QStringLiteral("Frame1"));
    QVERIFY(!about->frameGeometry().intersects(QRect(bar->mapToGlobal(QPoint(0, 0)), bar->size())));
    QCOMPARE(about->windowHandle()->transientParent(), main.windowHandle());

    // 确定 has the focus first, so Enter closes the box; Tab goes round the links from there.
    about->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(about));
    auto* ok = about->findChild<QPushButton*>(QStringLiteral("cmdOK"));
    QCOMPARE(about->focusWidget(), ok);
    linksWorkWithoutAMouse(about, ok, m.urls);
    QTest::keyClick(about->focusWidget(), Qt::Key_Tab);
    QCOMPARE(about->focusWidget(), ok);
    QPointer<AboutBox> shown = about;
    QTest::keyClick(ok, Qt::Key_Return);
    QTRY_VERIFY(shown.isNull());
}

}  // namespace muwu

QTEST_MAIN(muwu::AboutTest)
#include "about_test.moc"
