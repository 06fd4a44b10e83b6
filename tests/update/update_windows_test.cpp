// The update's windows as a screen reader and the window system meet them: the notice reads its
// text, and the download window opens beside the window the user works in and stays above it.
#include <QAccessible>
#include <QLabel>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>

#include "update/download_window.h"
#include "update/notice.h"

namespace muwu {

class UpdateWindowsTest : public QObject {
    Q_OBJECT

  private slots:
    void theNoticeReadsWhatItSays();
    void theDownloadWindowOpensBesideTheWorkingWindow();
};

void UpdateWindowsTest::theNoticeReadsWhatItSays() {
    const QString text = QStringLiteral("获取新版本失败，请稍后再试。");
    NoticeWindow notice(text);
    notice.show();
    QVERIFY(QTest::qWaitForWindowExposed(&notice));
    QCOMPARE(QAccessible::queryAccessibleInterface(&notice)->role(), QAccessible::Dialog);
    QAccessibleInterface* label = QAccessible::queryAccessibleInterface(notice.提示());
    QCOMPARE(notice.提示()->objectName(), QStringLiteral("提示"));
    QCOMPARE(label->text(QAccessible::Name), text);
    QAccessibleTextInterface* reads = label->textInterface();
    QVERIFY(reads);
    QCOMPARE(reads->characterCount(), text.size());
    QCOMPARE(reads->text(0, reads->characterCount()), text);
    QCOMPARE(reads->text(0, 5), text.left(5));
}

void UpdateWindowsTest::theDownloadWindowOpensBesideTheWorkingWindow() {
    QWidget working;
    working.setObjectName(QStringLiteral("主窗"));
    working.resize(892, 656);
    QRect frame(QPoint(0, 0), working.size());
    frame.moveCenter(working.screen()->availableGeometry().center());
    working.move(frame.topLeft());
    working.show();
    QVERIFY(QTest::qWaitForWindowExposed(&working));

    QTemporaryDir dir;
    DownloadWindowOptions options;
    options.settings = SettingsStore(dir.filePath(QStringLiteral("settings.ini")));
    DownloadWindow window(options);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(window.screen()->availableGeometry().contains(window.frameGeometry()));
    // No room beside it on this screen: it covers little, and none of the window's top quarter.
    const QRect head(working.frameGeometry().topLeft(),
                     QSize(working.frameGeometry().width(), working.frameGeometry().height() / 4));
    QVERIFY(!window.frameGeometry().intersects(head));
    QCOMPARE(window.windowHandle()->transientParent(), working.windowHandle());
}

}  // namespace muwu

QTEST_MAIN(muwu::UpdateWindowsTest)
#include "update_windows_test.moc"
