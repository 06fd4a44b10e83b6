// Runs of 求名 through the real main window: the acceptance rules per mode, the time-out, the
// word-mode pairs, the lists a limit opens, refused settings and failures.
#include <QAccessible>
#include <QApplication>
#include <QGroupBox>

#include "controls/mw_button.h"
#include "names/analysis.h"
#include "names/version.h"
#include "naming/draw_rules.h"
#include "tests/naming/naming_window_test.h"
#include "tests/support/widget_input.h"

namespace muwu {

namespace {

// The pair cut out of a word, if name ends in one: (1,3), (2,4), (1,2) or (3,4), in word order.
bool endsInAPairOf(const QString& name, const QString& word) {
    if (word.size() != 4)
        return false;
    const QString pair = name.right(2);
    for (const auto& [i, j] : {std::pair{0, 2}, {1, 3}, {0, 1}, {2, 3}}) {
        if (pair == QString(word[i]) + word[j])
            return true;
    }
    return false;
}

}  // namespace

void NamingWindowTest::seededRunsAcceptOnlyWhatTheirModeAllows_data() {
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<QString>("count");
    QTest::addColumn<QString>("limit");
    QTest::addColumn<bool>("words");
    QTest::newRow("untouched settings: word mode") << "张"
                                                   << ""
                                                   << "2"
                                                   << "9" << true;
    QTest::newRow("single surname, characters") << "张"
                                                << ""
                                                << "2"
                                                << "12" << false;
    QTest::newRow("double surname, one character") << "欧阳"
                                                   << ""
                                                   << "1"
                                                   << "9" << false;
    QTest::newRow("three-character surname") << "司马相"
                                             << ""
                                             << "1"
                                             << "15" << false;
    QTest::newRow("company with a trade word") << ""
                                               << "科技"
                                               << "2"
                                               << "9" << false;
}

void NamingWindowTest::seededRunsAcceptOnlyWhatTheirModeAllows() {
    QFETCH(QString, prefix);
    QFETCH(QString, suffix);
    QFETCH(QString, count);
    QFETCH(QString, limit);
    QFETCH(bool, words);
    openNaming();
    setUp(prefix, suffix, count, limit, words);
    int accepted = 0;
    for (seed_ = 1; seed_ <= 8; ++seed_) {
        const QList<Attempt> attempts = press求名();
        const QString context = QStringLiteral("seed %1").arg(seed_);
        QVERIFY2(!attempts.isEmpty() && attempts.size() <= 32, qPrintable(context));
        QVERIFY(!main_->正在取名());
        for (qsizetype i = 0; i < attempts.size(); ++i) {
            const Attempt& a = attempts[i];
            QVERIFY(a.naming);
            QCOMPARE(a.company, prefix.isEmpty());
            QVERIFY(a.name.startsWith(prefix) && a.name.endsWith(suffix));
            QCOMPARE(a.name.size(), prefix.size() + suffix.size() + count.toInt());
            if (words)
                QVERIFY2(endsInAPairOf(a.name, a.from.mid(3)), qPrintable(a.name + a.from));
            if (i + 1 < attempts.size())
                QVERIFY2(!passes(a), qPrintable(a.name));
        }
        const Attempt& last = attempts.last();
        QCOMPARE(m<QLineEdit>(u"Text3")->text(), last.name);
        const QList<QMessageBox*> timeOut = notices(QStringLiteral("取名消息"));
        if (timeOut.isEmpty()) {
            ++accepted;
            QVERIFY2(passes(last), qPrintable(last.name));
            // 属性 shows the full attribute of the accepted name, as the main window has it.
            const QString attribute = m<QLabel>(u"全称属性")->text();
            QCOMPARE(attribute.size(), last.name.size());
            QCOMPARE(n<QLabel>(u"属性")->text(), attribute);
        } else {
            QCOMPARE(attempts.size(), 32);
            QVERIFY(!passes(last));
            closeNotices();
        }
        QCOMPARE(n<QLabel>(u"来自词")->isVisible(), words);
        if (words)
            QCOMPARE(n<QLabel>(u"来自词")->text(), last.from);
    }
    QVERIFY2(accepted >= 5, qPrintable(QString::number(accepted)));
    QCOMPARE(m<QRadioButton>(u"公司名")->isChecked(), prefix.isEmpty());
    QVERIFY(m<QCheckBox>(u"自动识别姓氏")->isChecked());  // as it was before the runs
}

void NamingWindowTest::aRunGivesAutoBackAsTheUserHadIt() {
    // Every character drawn is 阳, so 欧 and 阳阳 make 欧阳阳: rejected each time (人格 27 凶),
    // and left on view after the time-out split as the run judged it, 欧 and 阳阳.
    forcedPool_ = u"阳";
    openNaming();
    setUp(QStringLiteral("欧"), QString(), QStringLiteral("2"), QStringLiteral("9"), false);
    (void)press求名();
    QCOMPARE(naming_->lastRun()->outcome, RunOutcome::timedOut);
    closeNotices();
    QVERIFY(m<QCheckBox>(u"自动识别姓氏")->isChecked());
    QCOMPARE(m<QLineEdit>(u"Text3")->text(), QStringLiteral("欧阳阳"));
    QCOMPARE(m<QLabel>(u"姓")->text(), QStringLiteral("欧"));
    AnalysisOptions asJudged;
    asJudged.autoRecognition = false;
    const Analysis judged = analyseName(main_->data(), u"欧阳阳", asJudged);
    const Analysis shown = readAnalysis(main_->form());
    QVERIFY(shown.surname == judged.surname && shown.heaven == judged.heaven &&
            shown.person == judged.person && shown.earth == judged.earth &&
            shown.outer == judged.outer && shown.score == judged.score);

    // The next name the user types is recognised as before the run.
    auto* name = m<QLineEdit>(u"Text3");
    name->setFocus();
    name->selectAll();
    QTest::keyClick(name, Qt::Key_Backspace);
    test::typeText(name, QStringLiteral("欧阳娜娜"));
    QCOMPARE(m<QLabel>(u"姓")->text(), QStringLiteral("欧阳"));
    QCOMPARE(m<QLabel>(u"名")->text(), QStringLiteral("娜娜"));
    QCOMPARE(m<QLabel>(u"评分")->text(), QStringLiteral("80.9"));

    // Unticked by the user, it stays unticked.
    QTest::mouseClick(m<QCheckBox>(u"自动识别姓氏"), Qt::LeftButton);
    (void)press求名();
    closeNotices();
    QVERIFY(!m<QCheckBox>(u"自动识别姓氏")->isChecked());
}

void NamingWindowTest::enterInAFieldOrOnTheButtonStartsARun() {
    openNaming();
    setUp(QStringLiteral("张"), QString(), QStringLiteral("1"), QStringLiteral("9"), false);
    int runs = 0;
    connect(n<MWButton>(u"求名"), &MWButton::Click, naming_, [&runs] { ++runs; });
    const auto enterIn = [&](QWidget* field, Qt::Key key, Qt::KeyboardModifiers modifiers) {
        field->setFocus();
        QTest::keyClick(field, key, modifiers);
        closeNotices();
    };
    enterIn(n<QLineEdit>(u"Text1"), Qt::Key_Return, Qt::NoModifier);
    QCOMPARE(runs, 1);
    QVERIFY(naming_->lastRun());
    QVERIFY(m<QLineEdit>(u"Text3")->text().startsWith(QStringLiteral("张")));
    enterIn(n<QLineEdit>(u"Text2"), Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(runs, 2);
    enterIn(n<QComboBox>(u"求的字数")->lineEdit(), Qt::Key_Return, Qt::NoModifier);
    QCOMPARE(runs, 3);
    enterIn(n<QComboBox>(u"字复杂程度"), Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(runs, 4);
    // Typed numbers stay as typed: Enter adds nothing to the lists.
    QCOMPARE(n<QComboBox>(u"求的字数")->count(), kMaxCharacterCount);
    enterIn(n<MWButton>(u"求名"), Qt::Key_Return, Qt::NoModifier);
    QCOMPARE(runs, 5);
    enterIn(n<QComboBox>(u"性别"), Qt::Key_Return, Qt::NoModifier);
    QCOMPARE(runs, 6);
    enterIn(n<QLineEdit>(u"出生时间"), Qt::Key_Return, Qt::NoModifier);
    QCOMPARE(runs, 7);
    enterIn(n<QLineEdit>(u"时区"), Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(runs, 8);
}

void NamingWindowTest::aChosenGenderLeavesTheOtherLeanOut() {
    makeMain(test::shippedData(), false);
    openNaming();
    // Picked with the keyboard; Tab reaches the choice after the count.
    naming_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(naming_));
    n<QComboBox>(u"求的字数")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), n<QComboBox>(u"性别"));
    for (const auto& [entry, gender] : {std::pair{2, Gender::female}, {1, Gender::male}}) {
        n<QComboBox>(u"性别")->setCurrentIndex(0);
        for (int i = 0; i < entry; ++i)
            QTest::keyClick(n<QComboBox>(u"性别"), Qt::Key_Down);
        for (const bool words : {true, false}) {
            setUp(QStringLiteral("李"), QString(), QStringLiteral("2"), QStringLiteral("30"),
                  words);
            for (seed_ = 1; seed_ <= 4; ++seed_) {
                for (const Attempt& a : press求名()) {
                    for (const QChar c : a.name.mid(1)) {
                        QVERIFY2(characterAdmitted(c.unicode(), false, gender, false, false),
                                 qPrintable(a.name + a.from));
                    }
                }
                closeNotices();
            }
        }
    }
}

void NamingWindowTest::aBirthMomentIsReadOrWhatIsWrongIsNamed() {
    openNaming();
    auto* summary = n<QLabel>(u"八字");
    typeInto(n<QLineEdit>(u"出生时间"), QStringLiteral("2024-02-04 16:20"));
    QCOMPARE(summary->text(), QStringLiteral("八字 癸卯 乙丑 戊戌 庚申　缺火"));
    QCOMPARE(QAccessible::queryAccessibleInterface(summary)->text(QAccessible::Name),
             summary->text());

    // The clocks skipped 02:00–03:00 on 1986-05-04 in China: named in red, and 求名 says it
    // rather than running without the birth moment.
    setUp(QStringLiteral("张"), QString(), QStringLiteral("1"), QStringLiteral("9"), false);
    const QString before = m<QLineEdit>(u"Text3")->text();
    typeInto(n<QLineEdit>(u"出生时间"), QStringLiteral("1986-05-04 02:30"));
    QVERIFY2(summary->text().contains(QStringLiteral("不存在")), qPrintable(summary->text()));
    QCOMPARE(summary->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    QVERIFY(press求名().isEmpty());
    QVERIFY(!naming_->lastRun());
    const QList<QMessageBox*> told = notices(QStringLiteral("取名消息"));
    QCOMPARE(told.size(), 1);
    QCOMPARE(told[0]->text(), summary->text());
    closeNotices();
    QCOMPARE(m<QLineEdit>(u"Text3")->text(), before);

    // Shown twice when they went back: both offsets are offered, and one picks the hour.
    typeInto(n<QLineEdit>(u"出生时间"), QStringLiteral("1986-09-14 01:30"));
    QVERIFY(summary->text().contains(QStringLiteral("01:30+09:00 或 01:30+08:00")));
    // Whole in the frame: the offsets to choose from are at its end.
    QVERIFY(summary->fontMetrics()
                .boundingRect(summary->contentsRect(), Qt::TextWordWrap, summary->text())
                .height() <= summary->contentsRect().height());
    typeInto(n<QLineEdit>(u"出生时间"), QStringLiteral("1986-09-14 01:30+09:00"));
    QVERIFY(summary->text().startsWith(QStringLiteral("八字 ")));
    QVERIFY(summary->palette().color(QPalette::WindowText) != QColor(255, 0, 0));
    typeInto(n<QLineEdit>(u"时区"), QStringLiteral("Asia/Atlantis"));
    QVERIFY(summary->text().contains(QStringLiteral("Asia/Atlantis")));
    typeInto(n<QLineEdit>(u"时区"), QStringLiteral("Asia/Tokyo"));
    QVERIFY(summary->text().startsWith(QStringLiteral("八字 ")));
    QVERIFY(!press求名().isEmpty());
    QVERIFY(naming_->lastRun());
}

void NamingWindowTest::thirtyTwoRejectionsEndInTheTimeOut() {
    // 张 has 11 strokes in the sample data; any one-stroke character gives the unlucky total 12.
    dir_ = std::make_unique<test::DataDir>();
    dir_->writeSample();
    dir_->write(u"4.lib", u"甲乙丙丁\r\n");
    dir_->writeList(1, u"1画的字\r\n五行属“土”：一 乙 丶\r\n");
    makeMain(dir_->path());
    openNaming();
    setUp(QStringLiteral("张"), QString(), QStringLiteral("1"), QStringLiteral("1"), true);
    const QList<Attempt> attempts = press求名();
    QVERIFY(naming_->lastRun());
    QCOMPARE(naming_->lastRun()->outcome, RunOutcome::timedOut);
    QCOMPARE(naming_->lastRun()->attempts, 32);
    // The name box reports a change only when a candidate differs from the one before.
    QVERIFY(attempts.size() > 1 && attempts.size() <= 32);
    for (const Attempt& a : attempts) {
        QVERIFY(a.naming && a.total);
        QCOMPARE(a.name.size(), 2);
    }
    const QList<QMessageBox*> told = notices(QStringLiteral("取名消息"));
    QCOMPARE(told.size(), 1);
    QCOMPARE(told[0]->text(), QStringLiteral("运转超时！请适当的提高笔画复杂程度。"));
    QCOMPARE(told[0]->windowTitle(), QStringLiteral("沐梧取名器 V3.0.28"));
    QCOMPARE(told[0]->standardButtons(), QMessageBox::Ok);
    // Until it is answered nothing else takes input: no second run, no second box, no menu.
    QCOMPARE(told[0]->windowModality(), Qt::ApplicationModal);
    QCOMPARE(QApplication::activeModalWidget(), told[0]);
    int menus = 0;
    main_->setHelpMenu([&menus](const QPoint&) { ++menus; });
    test::clickOnScreen(n<MWButton>(u"求名"));
    test::clickOnScreen(m<QLabel>(u"Label4"));
    QCOMPARE(notices(QStringLiteral("取名消息")).size(), 1);
    QCOMPARE(menus, 0);
    QVERIFY(!main_->正在取名());
    QCOMPARE(m<QLineEdit>(u"Text3")->text(), attempts.last().name);
    QCOMPARE(m<QLabel>(u"总笔画数")->text(), QStringLiteral("12"));
    QCOMPARE(n<QLabel>(u"属性")->text(), QStringLiteral("属性"));
    closeNotices();

    // The main window is out of naming mode: a typed name has its full attribute again.
    auto* name = m<QLineEdit>(u"Text3");
    typeInto(name, QStringLiteral("王"));
    QCOMPARE(m<QLabel>(u"全称属性")->text(), QStringLiteral("土"));
}

void NamingWindowTest::wordModePairsComeFromTheDrawnWordInOrder() {
    openNaming();
    setUp(QStringLiteral("王"), QString(), QStringLiteral("2"), QStringLiteral("9"), true);
    const std::u16string& text = naming_->wordList().words.text();
    QSet<QString> pairs;
    for (seed_ = 1; seed_ <= 6; ++seed_) {
        const QList<Attempt> attempts = press求名();
        for (const Attempt& a : attempts) {
            QVERIFY2(a.from.startsWith(QStringLiteral("来自：")), qPrintable(a.from));
            const QString word = a.from.mid(3);
            QVERIFY(text.find((word + QStringLiteral("\r")).toStdU16String()) !=
                    std::u16string::npos);
            QVERIFY2(endsInAPairOf(a.name, word), qPrintable(a.name + " " + word));
            pairs.insert(a.name.right(2));
        }
        QCOMPARE(n<QLabel>(u"来自词")->text(), attempts.last().from);
        closeNotices();
    }
    QVERIFY(pairs.size() > 6);  // fresh words, not one pair again and again
}

void NamingWindowTest::companyModeLooksAtTheTotalOnly() {
    openNaming();
    // A personal name first: its 人格, 地格 and 外格 stay red, as company names leave them.
    typeInto(m<QLineEdit>(u"Text3"), QStringLiteral("张一"));
    QVERIFY(red(u"Text6") && red(u"Text7") && red(u"Text8"));
    setUp(QString(), QStringLiteral("科技"), QStringLiteral("2"), QStringLiteral("9"), false);
    int accepted = 0;
    for (seed_ = 1; seed_ <= 6; ++seed_) {
        const QList<Attempt> attempts = press求名();
        for (const Attempt& a : attempts)
            QVERIFY(a.company && a.person && a.earth && a.outer);
        if (notices(QStringLiteral("取名消息")).isEmpty()) {
            ++accepted;
            QVERIFY(!attempts.last().total);
        }
        closeNotices();
    }
    QVERIFY(accepted > 0);
    QVERIFY(m<QRadioButton>(u"公司名")->isChecked());
    QVERIFY(m<QCheckBox>(u"自动识别姓氏")->isChecked());
    QVERIFY(m<QGroupBox>(u"人格板")->isHidden());
    QCOMPARE(m<QGroupBox>(u"总运板")->title(), QStringLiteral("总运："));
}

void NamingWindowTest::aTwoCharacterPersonalNameToleratesARedOuterGrid() {
    openNaming();
    setUp(QStringLiteral("李"), QString(), QStringLiteral("1"), QStringLiteral("9"), false);
    int accepted = 0;
    for (seed_ = 1; seed_ <= 8; ++seed_) {
        const QList<Attempt> attempts = press求名();
        if (notices(QStringLiteral("取名消息")).isEmpty()) {
            ++accepted;
            // 外格 of a two-character name is 2, always unlucky, and let pass.
            QVERIFY(attempts.last().outer);
            QVERIFY(red(u"Text8"));
        }
        closeNotices();
    }
    QVERIFY(accepted > 0);
    QVERIFY(m<QRadioButton>(u"单姓")->isChecked());
}

void NamingWindowTest::onlyTheListsUpToTheLimitAreOpened() {
    openNaming();
    for (const int limit : {3, 10}) {
        setUp(QStringLiteral("张"), QString(), QStringLiteral("3"), QString::number(limit), false);
        opened_.clear();
        for (seed_ = 1; seed_ <= 40; ++seed_) {
            (void)press求名();
            closeNotices();
        }
        std::set<int> expected;
        for (int k = 1; k <= limit; ++k)
            expected.insert(k);
        QCOMPARE(opened_, expected);
    }
}

void NamingWindowTest::aTypedCountIsUsedWithoutHidingWordMeaning() {
    openNaming();
    typeInto(n<QLineEdit>(u"Text1"), QStringLiteral("张"));
    typeInto(n<QComboBox>(u"求的字数")->lineEdit(), QStringLiteral("3"));
    QVERIFY(!n<QCheckBox>(u"词义")->isHidden());
    const QList<Attempt> attempts = press求名();
    for (const Attempt& a : attempts)
        QCOMPARE(a.name.size(), 4);  // characters from the lists, not a pair
    // 来自词 follows the tick and its visibility only; no word was drawn.
    QVERIFY(n<QLabel>(u"来自词")->isVisible());
    QCOMPARE(n<QLabel>(u"来自词")->text(), QStringLiteral("来自词"));
    closeNotices();

    typeInto(n<QComboBox>(u"求的字数")->lineEdit(), QStringLiteral("2"));
    (void)press求名();
    QVERIFY(n<QLabel>(u"来自词")->text().startsWith(QStringLiteral("来自：")));
}

void NamingWindowTest::refusedSettingsLeaveTheMainWindowAlone() {
    openNaming();
    typeInto(m<QLineEdit>(u"Text3"), QStringLiteral("张三"));
    struct Row {
        QString prefix, count, limit, message;
    };
    const Row rows[] = {
        {QStringLiteral("一二三四五六七八九十一"), "1", "9", q(kPrefixTooLongMessage)},
        {QStringLiteral("张"), "3", "很多", q(kBadLimitMessage)},
        {QStringLiteral("张"), "23", "9", q(kTooManyMessage)},
    };
    for (const Row& row : rows) {
        setUp(row.prefix, QString(), row.count, row.limit, false);
        QVERIFY(press求名().isEmpty());
        const QList<QMessageBox*> told = notices(QStringLiteral("取名消息"));
        QCOMPARE(told.size(), 1);
        QCOMPARE(told[0]->text(), row.message);
        QCOMPARE(told[0]->windowTitle(), q(applicationTitle()));
        closeNotices();
        QCOMPARE(m<QLineEdit>(u"Text3")->text(), QStringLiteral("张三"));
        QVERIFY(m<QCheckBox>(u"自动识别姓氏")->isChecked());
        QVERIFY(!main_->正在取名());
    }
}

void NamingWindowTest::aFailingRunEndsNamingModeAndSaysSo() {
    openNaming();
    failPools_ = true;
    setUp(QStringLiteral("张"), QString(), QStringLiteral("3"), QStringLiteral("9"), false);
    QVERIFY(press求名().isEmpty());
    const QList<QMessageBox*> told = notices(QStringLiteral("错误"));
    QCOMPARE(told.size(), 1);
    QVERIFY(told[0]->text().startsWith(QStringLiteral("取名没有完成：")));
    QVERIFY(!main_->正在取名());
    closeNotices();
    typeInto(m<QLineEdit>(u"Text3"), QStringLiteral("王"));
    QCOMPARE(m<QLabel>(u"全称属性")->text(), q(main_->data().strokes(u"王").attribute));
}

}  // namespace muwu
