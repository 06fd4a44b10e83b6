// Renders the main window with names typed in, one picture each, to look at the layout:
//   main_window_shot [--company] [--screen] OUT.png NAME
// --screen pictures the whole screen (under a real display, such as xvfb-run) instead of the
// window alone, to see where the window lies and what of it is on screen.
#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRadioButton>
#include <QScreen>
#include <QTest>
#include <cstdio>

#include "names/main_window.h"
#include "platform/data_folder.h"
#include "platform/ui_language.h"
#include "tests/support/widget_input.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    muwu::installQtChinese(app);
    QStringList args = QApplication::arguments().mid(1);
    const bool company = args.removeAll(QStringLiteral("--company")) > 0;
    const bool screen = args.removeAll(QStringLiteral("--screen")) > 0;
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: main_window_shot [--company] [--screen] OUT.png NAME\n");
        return 2;
    }
    muwu::MainWindow window(muwu::findDataFolder(muwu::programFolder()), [](const auto&) {});
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    if (company)
        QTest::mouseClick(window.control<QRadioButton>(QStringLiteral("公司名")), Qt::LeftButton);
    muwu::test::typeText(window.control<QLineEdit>(QStringLiteral("Text3")), args[1]);
    QTest::qWait(200);
    if (screen)
        return window.screen()->grabWindow(0).save(args[0]) ? 0 : 1;
    return window.grab().save(args[0]) ? 0 : 1;
}
