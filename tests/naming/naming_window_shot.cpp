// Shows the main window and the naming window after one run of 求名, with the shipped data, a
// gender and a birth moment (and zone) chosen first if given:
//   naming_window_shot [--screen SCREEN.png] [--gender 男|女] [--birth "DATE TIME"] [--tz ZONE]
//                      MAIN.png NAMING.png [PREFIX [COUNT [SEED [LIMIT]]]]
// Under a real display (xvfb-run) both stay up briefly so the screen can be captured as well;
// --screen pictures the whole screen itself.
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <cstdio>

#include "controls/mw_button.h"
#include "names/main_window.h"
#include "naming/naming_window.h"
#include "platform/data_folder.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QStringList args = QApplication::arguments().mid(1);
    QString screenShot, gender, birth, zone;
    while (args.size() > 1 && args[0].startsWith(QStringLiteral("--"))) {
        const QString option = args[0], value = args[1];
        args = args.mid(2);
        if (option == QStringLiteral("--screen"))
            screenShot = value;
        else if (option == QStringLiteral("--gender"))
            gender = value;
        else if (option == QStringLiteral("--birth"))
            birth = value;
        else if (option == QStringLiteral("--tz"))
            zone = value;
        else
            args.clear();
    }
    if (args.size() < 2) {
        std::fprintf(stderr,
                     "usage: naming_window_shot [--screen SCREEN.png] [--gender 男|女] [--birth "
                     "\"DATE TIME\"] [--tz ZONE] MAIN.png NAMING.png [PREFIX [COUNT [SEED "
                     "[LIMIT]]]]\n");
        return 2;
    }
    const QString prefix = args.size() > 2 ? args[2] : QStringLiteral("张");
    const QString count = args.size() > 3 ? args[3] : QStringLiteral("2");
    const std::uint64_t seed = args.size() > 4 ? args[4].toULongLong() : 7;
    const QString limit = args.size() > 5 ? args[5] : QStringLiteral("9");

    muwu::MainWindow main(muwu::findDataFolder(muwu::programFolder()), [](const auto&) {});
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
    if (!gender.isEmpty())
        naming->findChild<QComboBox*>(QStringLiteral("性别"))->setCurrentText(gender);
    naming->findChild<QLineEdit*>(QStringLiteral("出生时间"))->setText(birth);
    naming->findChild<QLineEdit*>(QStringLiteral("时区"))->setText(zone);
    QTest::mouseClick(naming->findChild<muwu::MWButton*>(QStringLiteral("求名")), Qt::LeftButton);
    QTest::qWait(300);
    bool ok = main.grab().save(args[0]) && naming->grab().save(args[1]);
    if (!screenShot.isEmpty())
        ok = ok && naming->screen()->grabWindow(0).save(screenShot);
    if (QGuiApplication::platformName() != QStringLiteral("offscreen"))
        QTest::qWait(1500);
    return ok ? 0 : 1;
}
