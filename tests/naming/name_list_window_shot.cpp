// Shows the naming window and the name list window opened from it with a surname and a kept
// character, with the shipped data; a gender and a birth moment go into the naming window first,
// a 三才 choice into the list:
//   name_list_window_shot [--screen SCREEN.png] [--gender 男|女] [--birth "DATE TIME"]
//                         [--sancai 平或吉|吉] LIST.png NAMING.png [SURNAME [KEEP [AT]]]
// Under a real display (xvfb-run) both stay up briefly so the screen can be captured as well;
// --screen pictures the whole screen itself, every window where the program put it.
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <cstdio>

#include "controls/mw_button.h"
#include "names/main_window.h"
#include "naming/name_list_window.h"
#include "naming/naming_window.h"
#include "platform/data_folder.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QStringList args = QApplication::arguments().mid(1);
    QString screenShot, gender, birth, sancai;
    for (;;) {
        if (args.size() < 2 || !args[0].startsWith(QStringLiteral("--")))
            break;
        const QString option = args[0], value = args[1];
        args = args.mid(2);
        if (option == QStringLiteral("--screen"))
            screenShot = value;
        else if (option == QStringLiteral("--gender"))
            gender = value;
        else if (option == QStringLiteral("--birth"))
            birth = value;
        else if (option == QStringLiteral("--sancai"))
            sancai = value;
        else
            args.clear();
    }
    if (args.size() < 2) {
        std::fprintf(stderr,
                     "usage: name_list_window_shot [--screen SCREEN.png] [--gender 男|女] "
                     "[--birth \"DATE TIME\"] [--sancai 平或吉|吉] LIST.png NAMING.png "
                     "[SURNAME [KEEP [AT]]]\n");
        return 2;
    }
    const QString surname = args.size() > 2 ? args[2] : QStringLiteral("李");
    const QString keep = args.size() > 3 ? args[3] : QStringLiteral("明");
    const QString at = args.size() > 4 ? args[4] : QStringLiteral("1");

    muwu::MainWindow main(muwu::findDataFolder(muwu::programFolder()), [](const auto&) {});
    if (screenShot.isEmpty())
        main.move(20, 20);
    main.show();
    muwu::attachNamingWindow(main);
    QTest::mouseClick(main.control<muwu::MWButton>(QStringLiteral("自动取名")), Qt::LeftButton);
    auto* naming = muwu::namingWindowOf(main);
    if (!naming || !QTest::qWaitForWindowExposed(naming))
        return 1;
    naming->findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(surname);
    if (!gender.isEmpty())
        naming->findChild<QComboBox*>(QStringLiteral("性别"))->setCurrentText(gender);
    naming->findChild<QLineEdit*>(QStringLiteral("出生时间"))->setText(birth);
    QTest::mouseClick(naming->findChild<muwu::MWButton*>(QStringLiteral("列出好名")),
                      Qt::LeftButton);
    QWidget* list = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->objectName() == QStringLiteral("选名窗"))
            list = top;
    }
    if (!list || !QTest::qWaitForWindowExposed(list))
        return 1;
    if (screenShot.isEmpty())
        list->move(60, 60);
    list->findChild<QLineEdit*>(QStringLiteral("保留字"))->setText(keep);
    list->findChild<QComboBox*>(QStringLiteral("位置"))->setCurrentText(at);
    if (!sancai.isEmpty())
        list->findChild<QComboBox*>(QStringLiteral("三才"))->setCurrentText(sancai);
    QTest::qWait(300);
    bool ok = list->grab().save(args[0]) && naming->grab().save(args[1]);
    if (!screenShot.isEmpty())
        ok = ok && list->screen()->grabWindow(0).save(screenShot);
    if (QGuiApplication::platformName() != QStringLiteral("offscreen"))
        QTest::qWait(1500);
    return ok ? 0 : 1;
}
