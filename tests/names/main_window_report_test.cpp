// The report written from the window, and the notices the window gives.
#include <QPushButton>
#include <QRadioButton>

#include "cli/cli.h"
#include "tests/names/main_window_test.h"

namespace muwu {

void MainWindowTest::reportsMatchTheGoldenFilesAndTheCommandLine_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("company");
    QTest::addColumn<QString>("golden");
    QTest::newRow("personal") << QStringLiteral("欧阳明") << false
                              << QStringLiteral("person_report.txt");
    QTest::newRow("company") << QStringLiteral("林华") << true
                             << QStringLiteral("company_report.txt");
}

void MainWindowTest::reportsMatchTheGoldenFilesAndTheCommandLine() {
    QFETCH(QString, name);
    QFETCH(bool, company);
    QFETCH(QString, golden);
    if (company)
        QTest::mouseClick(c<QRadioButton>(u"公司名"), Qt::LeftButton);
    type(name);
    // The window shows a 三才 for the personal name; the report keeps to its own lines.
    QCOMPARE(bool(window_->form().三才), !company);
    QTest::mouseClick(c<MWButton>(u"报表"), Qt::LeftButton);

    const fs::path file = desktop() / ("《" + name.toStdString() + "》姓名报告.txt");
    QVERIFY(notices(QStringLiteral("报表消息")).isEmpty());
    QCOMPARE(opener_.opened(), std::vector<fs::path>{file});
    const std::string bytes = readBytes(file);
    QCOMPARE(bytes,
             readBytes(fs::path(MUWU_SOURCE_DIR) / "tests/names/golden" / golden.toStdString()));

    // The command line writes the same bytes for the same name.
    test::DataDir out;
    std::vector<std::string> args = {"--data", dir_->path().string(), "report", "--dir",
                                     out.path().string()};
    if (company)
        args.push_back("--company");
    args.push_back(name.toStdString());
    std::istringstream in;
    std::ostringstream printed, err;
    cli::Environment env;
    env.reportDate = kDate;
    QCOMPARE(cli::run(args, in, printed, err, env), cli::kExitOk);
    const fs::path cliFile = out.path() / file.filename();
    QCOMPARE(printed.str(), cliFile.string() + "\n");
    QCOMPARE(readBytes(cliFile), bytes);

    // Pressing again replaces the file in place of the old one.
    QTest::mouseClick(c<MWButton>(u"报表"), Qt::LeftButton);
    QCOMPARE(readBytes(file), bytes);
    QCOMPARE(opener_.opened().size(), std::size_t{2});
    fs::remove(file);
}

void MainWindowTest::reportFailuresAreToldAndOpenNothing() {
    type(QStringLiteral("李/田"));
    QTest::mouseClick(c<MWButton>(u"报表"), Qt::LeftButton);
    QCOMPARE(notices(QStringLiteral("报表消息")).size(), 1);
    QVERIFY(notices(QStringLiteral("报表消息")).first()->text().contains(QStringLiteral("“/”")));
    QVERIFY(fs::is_empty(desktop()));

    clearName();
    type(QStringLiteral("李田"));
    const fs::path away = desktop().string() + ".away";
    fs::rename(desktop(), away);
    QTest::mouseClick(c<MWButton>(u"报表"), Qt::LeftButton);
    fs::rename(away, desktop());
    QCOMPARE(notices(QStringLiteral("报表消息")).size(), 2);
    QVERIFY(
        notices(QStringLiteral("报表消息")).last()->text().contains(QStringLiteral("没有写出")));
    QVERIFY(opener_.opened().empty());
    QVERIFY(window_->isVisible());  // the notices do not hold the window up
}

void MainWindowTest::dataProblemsAreShownOnceAndTheWindowWorksOn() {
    test::DataDir empty;
    makeWindow(empty.path());
    QCOMPARE(notices(QStringLiteral("数据问题")).size(), 1);
    const QString text = notices(QStringLiteral("数据问题")).first()->text();
    QVERIFY2(text.contains(QStringLiteral("找不到数据文件")), qPrintable(text));
    type(QStringLiteral("张三"));
    // Without lists nothing is counted, and the name box says which characters were not found.
    QCOMPARE(label(u"总笔画数"), QStringLiteral("总笔画数"));
    QVERIFY(c<QLineEdit>(u"Text3")->toolTip().contains(QStringLiteral("“张”、“三”")));
    QCOMPARE(notices(QStringLiteral("数据问题")).size(), 1);
}

void MainWindowTest::autoNamingShowsANotice() {
    QTest::mouseClick(c<MWButton>(u"自动取名"), Qt::LeftButton);
    QCOMPARE(notices(QStringLiteral("自动取名消息")).size(), 1);
}

}  // namespace muwu
