// Shows the main window and the naming window after one run of 求名, with the shipped data:
//   naming_window_shot MAIN.png NAMING.png [PREFIX [COUNT [SEED [LIMIT]]]]
// Under a real display (xvfb-run) both stay up briefly so the screen can be captured as well.
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cstdio>

#include "controls/mw_button.h"
#include "names/main_window.h"
#include "naming/naming_window.h"
#include "platform/data_folder.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments().mid(1);
    if (args.size() < 2) {
        std::fprintf(
            stderr,
            "usage: naming_window_shot MAIN.png NAMING.png [PREFIX [COUNT [SEED [LIMIT]]]]\n");
        return 2;
    }
    const QString prefix = args.size() > 2 ? args[2] : QStringLiteral("张");
    const QString count = args.size() > 3 ? args[3] : QStringLiteral("2");
    const std::uint64_t seed = args.size() > 4 ? args[4].toULongLong() : 7;
    const QString limit = args.size() > 5 ? args[5] : QStringLiteral("9");

    muwu::MainWindow main(muwu::findDataFolder(muwu::programFolder()), [](const auto&) {});
    main.move(20, 20);
    main.show();
    muwu::NamingWindowOptions options;
    options.seed = [seed] { return seed; };
    muwu::attachNamingWindow(main, options);
    QTest::mouseClick(main.control<muwu::MWButton>(QStringLiteral("自动取名")), Qt::LeftButton);
    auto* naming = muwu::namingWindowOf(main);
    if (!naming || !QTest::qWaitForWindowExposed(naming))
        return 1;
    naming->findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(prefix);
    naming->findChild<QComboBox*>(QStringLiteral("求的字数"))->setEditText(count);
    naming->findChild<QComboBox*>(QStringLiteral("字复杂程度"))->setEditText(limit);
    QTest::mouseClick(naming->findChild<muwu::MWButton*>(QStringLiteral("求名")), Qt::LeftButton);
    QTest::qWait(300);
    const bool ok = main.grab().save(args[0]) && naming->grab().save(args[1]);
    if (QGuiApplication::platformName() != QStringLiteral("offscreen"))
        QTest::qWait(1500);
    return ok ? 0 : 1;
}
