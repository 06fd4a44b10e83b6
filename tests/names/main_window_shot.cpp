// Renders the main window with names typed in, one picture each, to look at the layout:
//   main_window_shot [--company] OUT.png NAME
#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRadioButton>
#include <QTest>
#include <cstdio>

#include "names/main_window.h"
#include "platform/data_folder.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QStringList args = QApplication::arguments().mid(1);
    const bool company = args.removeAll(QStringLiteral("--company")) > 0;
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: main_window_shot [--company] OUT.png NAME\n");
        return 2;
    }
    muwu::MainWindow window(muwu::findDataFolder(muwu::programFolder()), [](const auto&) {});
    window.show();
    if (company)
        QTest::mouseClick(window.control<QRadioButton>(QStringLiteral("公司名")), Qt::LeftButton);
    auto* name = window.control<QLineEdit>(QStringLiteral("Text3"));
    for (const QChar c : args[1]) {
        QTest::sendKeyEvent(QTest::Click, name, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
    QApplication::processEvents();
    return window.grab().save(args[0]) ? 0 : 1;
}
