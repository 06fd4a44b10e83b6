#pragma once
// The naming window over the real main window, offscreen: opened from 自动取名, set up through its
// controls as a user would, and every candidate the engine writes into the main window's name box
// noted with the colours the analysis gave it.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTextEdit>
#include <memory>
#include <set>

#include "controls/mw_button.h"
#include "names/main_window.h"
#include "naming/naming_window.h"
#include "tests/support/data_dir.h"

namespace muwu {

namespace naming_test {

inline QString q(std::u16string_view s) {
    return QString::fromUtf16(s.data(), static_cast<qsizetype>(s.size()));
}

struct Attempt {
    QString name;
    bool company = false;
    bool total = false, person = false, earth = false, outer = false;  // red boxes
    QString from;                                                      // 来自词 at the time
    bool naming = false;                                               // 正在取名 at the time
};

// The acceptance rule as the design states it.
inline bool passes(const Attempt& a) {
    if (a.total)
        return false;
    if (a.company)
        return true;
    return !a.person && !a.earth && (!a.outer || a.name.size() == 2);
}

}  // namespace naming_test
using namespace naming_test;

class NamingWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();

    // naming_window_test.cpp
    void autoNamingOpensTheWindowModelessly();
    void controlsHaveTheirInitialContents();
    void theStrokeLimitSitsInTheGapOfItsCaption();
    void pickingACountShowsWordMeaningOnlyForTwo();
    void aClosedWindowIsCreatedAfresh();
    void itStaysOnTopAtEveryActivation();
    void aMissingWordListIsToldAndCharactersStillServe();
    void aDamagedWordListIsToldAndItsSoundWordsServe();
    void itOpensOnScreenAndReadsWell();
    void itOpensBesideTheMainWindowAndStaysAboveIt();
    void escClosesIt();

    // naming_window_run_test.cpp
    void seededRunsAcceptOnlyWhatTheirModeAllows_data();
    void seededRunsAcceptOnlyWhatTheirModeAllows();
    void thirtyTwoRejectionsEndInTheTimeOut();
    void wordModePairsComeFromTheDrawnWordInOrder();
    void companyModeLooksAtTheTotalOnly();
    void aTwoCharacterPersonalNameToleratesARedOuterGrid();
    void onlyTheListsUpToTheLimitAreOpened();
    void aTypedCountIsUsedWithoutHidingWordMeaning();
    void refusedSettingsLeaveTheMainWindowAlone();
    void aFailingRunEndsNamingModeAndSaysSo();
    void aRunGivesAutoBackAsTheUserHadIt();
    void enterInAFieldOrOnTheButtonStartsARun();
    void aChosenGenderLeavesTheOtherLeanOut();
    void aBirthMomentIsReadOrWhatIsWrongIsNamed();

  private:
    // With the window's own pools (the name table and its rules) unless the test's are asked.
    void makeMain(const std::filesystem::path& data, bool testPools = true);
    void openNaming();
    template <typename W>
    W* m(const char16_t* name) const {
        W* w = main_->control<W>(QString::fromUtf16(name));
        if (!w)
            qFatal("main window has no %s", qPrintable(QString::fromUtf16(name)));
        return w;
    }
    template <typename W>
    W* n(const char16_t* name) const {
        W* w = naming_ ? naming_->findChild<W*>(QString::fromUtf16(name)) : nullptr;
        if (!w)
            qFatal("naming window has no %s", qPrintable(QString::fromUtf16(name)));
        return w;
    }
    [[nodiscard]] bool red(const char16_t* box) const {
        return m<QTextEdit>(box)->palette().color(QPalette::Text) == QColor(255, 0, 0);
    }
    void typeInto(QLineEdit* edit, const QString& text);
    void pick(const char16_t* combo, const QString& entry);
    // Sets the four inputs as a user types them; 词义 ticked or not.
    void setUp(const QString& prefix, const QString& suffix, const QString& count,
               const QString& limit, bool wordMeaning);
    // Presses 求名 and returns the candidates of that run.
    QList<Attempt> press求名();
    [[nodiscard]] QList<QMessageBox*> notices(const QString& name) const {
        return naming_->findChildren<QMessageBox*>(name);
    }
    void closeNotices();
    static void processDeletes();

    std::unique_ptr<test::DataDir> dir_;
    std::unique_ptr<MainWindow> main_;
    QPointer<NamingWindow> naming_;
    std::uint64_t seed_ = 1;
    std::set<int> opened_;  // lists the engine asked for
    bool failPools_ = false;
    std::u16string forcedPool_;  // when set, every stroke list holds just these characters
    QList<Attempt>* recording_ = nullptr;
};

}  // namespace muwu
