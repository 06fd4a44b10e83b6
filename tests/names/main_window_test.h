#pragma once
// The main window driven as a user drives it: keys into the name box, mouse clicks on the options,
// and the controls read back by their names. One test class, its cases in two files.
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTextEdit>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "controls/mw_button.h"
#include "names/main_window.h"
#include "tests/support/data_dir.h"
#include "tests/support/recording_opener.h"

namespace muwu {

namespace fs = std::filesystem;

namespace window_test {

inline const QColor kRedText(255, 0, 0);
inline const QColor kGreenText(0, 128, 0);

inline QString q(std::u16string_view s) {
    return QString::fromUtf16(s.data(), static_cast<qsizetype>(s.size()));
}

// A grid text as a plain-text box hands it back: its line ends become "\n".
inline QString boxText(std::u16string_view entry) {
    return q(entry).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

inline std::string readBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

inline fs::path desktop() {
    return fs::path(qEnvironmentVariable("HOME").toStdString()) / "Desktop";
}

inline constexpr const char* kDate = "2024/1/2";

}  // namespace window_test
using namespace window_test;

class MainWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();

    void opensWithEveryControlInPlace();
    void controlsKeepTheirCaptionsUnclippedAndApart();
    void typingAnalysesAtEveryKeystroke();
    void doubleSurnamesAreRecognisedAndBelongToTheirName();
    void surnameControlsFollowTheMouse();
    void companyModeJudgesTheTotalAlone();
    void keyboardSelectionOfAKindRunsNothingAndOfASurnameSetsTheLength();
    void totalsAbove80AndUnknownCharacters();
    void theWorkAreaShowsTheLastLookup();
    void writesFromCodeRunBeforeTheyReturn();
    void sancaiShowsBelowThePersonGrid();
    void reportsMatchTheGoldenFilesAndTheCommandLine_data();
    void reportsMatchTheGoldenFilesAndTheCommandLine();
    void reportFailuresAreToldAndOpenNothing();
    void dataProblemsAreShownOnceAndTheWindowWorksOn();
    void autoNamingShowsANotice();

    // main_window_access_test.cpp
    void optionPairsAlwaysShowOneSelected();
    void everyLuckTextShowsWholeWithItsVerdict();
    void longLabelsShrinkOrElideWithATooltip();
    void noticesBlockTheProgramUntilAnswered();
    void tabReachesEveryControlInReadingOrder();
    void helpOpensByKeyboardAndReadsAsAButton();
    void screenReadersSeeNamedShownControlsOnly();

    // main_window_layout_test.cpp
    void aLongCompanyNameShowsWholeInTheNameBar();
    void theScoreIsBoldAndClearOfItsCaption();
    void theWindowOffersNoMaximise();
    void enterPressesAFocusedButtonAsSpaceDoes();
    void thePinyinShowsInTheFreeNumberColumn();

  private:
    template <typename W>
    W* c(const char16_t* name) const {
        W* w = window_->control<W>(QString::fromUtf16(name));
        if (!w)
            qFatal("no control %s", qPrintable(QString::fromUtf16(name)));
        return w;
    }
    QString label(const char16_t* name) const { return c<QLabel>(name)->text(); }
    QString box(const char16_t* name) const { return c<QTextEdit>(name)->toPlainText(); }
    QColor colour(const char16_t* name) const {
        return c<QTextEdit>(name)->palette().color(QPalette::Text);
    }
    void type(const QString& text);
    // Replaces the whole name in one change.
    void paste(const QString& text);
    void clearName();
    [[nodiscard]] QList<QMessageBox*> notices(const QString& name) const {
        return window_->findChildren<QMessageBox*>(name);
    }
    void makeWindow(const fs::path& data);
    // A click as the window system delivers it, which a modal box can block.

    std::unique_ptr<test::DataDir> dir_;
    test::RecordingOpener opener_;
    std::unique_ptr<MainWindow> window_;
};

}  // namespace muwu
