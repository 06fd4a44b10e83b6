#pragma once
// 主窗: the main window. It owns the analysis (MainForm) and the character data, forwards every
// event of its controls to the analysis, and then shows the analysis' state in all controls.
// Writing a control from code (the name box, the surname scroll bar, a hidden button's click)
// runs the same handler as the user's action, before the write returns.
#include <QString>
#include <QWidget>
#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "names/main_form.h"
#include "names/main_window_controls.h"
#include "platform/opener.h"

class QMessageBox;

namespace muwu {

class CharacterData;
class PanArea;

class MainWindow : public QWidget {
    Q_OBJECT
  public:
    // dataFolder holds the stroke lists and tables; opener opens the written report.
    explicit MainWindow(const std::filesystem::path& dataFolder, FileOpener opener,
                        QWidget* parent = nullptr);
    ~MainWindow() override;

    // --- for the naming engine ---
    // True while a naming run is in progress; the surname handling then leaves the length alone.
    [[nodiscard]] bool 正在取名() const noexcept { return form_.正在取名; }
    void set正在取名(bool running) noexcept { form_.正在取名 = running; }
    // Ticks or unticks 自动 as before a naming run, without analysing the name again.
    void restore自动识别姓氏(bool ticked) noexcept;
    // The personal score of the five texts as they stand, shown in 评分.
    void 求评分();
    // A control by its name ("Text3", "姓长度", "Text5", …); null for an unknown name.
    [[nodiscard]] QWidget* control(const QString& name) const;
    template <typename W>
    [[nodiscard]] W* control(const QString& name) const {
        return findChild<W*>(name);
    }
    [[nodiscard]] const MainForm& form() const noexcept { return form_; }
    // The character data of the analysis; the naming engine draws its characters from them.
    [[nodiscard]] CharacterData& data() noexcept { return *data_; }

    // The scroll bars of a window on a screen too small for it; null on a large enough screen.
    [[nodiscard]] PanArea* panArea() const noexcept { return pan_; }

    // The date written at the end of a report; the system's short date of today by default.
    void setReportDate(std::function<QString()> today);

    // What the shell and the naming window hang on this window, so it needs neither: the help
    // menu popped up at a global position from 帮助, and the naming window shown by 自动取名.
    void setHelpMenu(std::function<void(const QPoint& globalPos)> popUp);
    void setNamingWindow(std::function<void()> show);

  signals:
    // The window is closing: the program ends after this, whatever other windows are open.
    void closing();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void connectControls();
    // Keeps the window on a screen too small for it, its controls under scroll bars.
    void fitToScreen();
    // Runs one event's action on the analysis, then shows the result; nothing escapes.
    template <typename Action>
    void handle(Action&& action) noexcept;
    void refresh();
    void showSancai(const std::optional<Sancai>& s);
    void showPinyin();
    // The name box says which characters the figures leave out: tooltip, ground, description.
    void showMissingCharacters();
    void writeReport();
    void openNamingWindow();
    void collectProblems();
    void showProblems();
    QMessageBox* notice(const QString& text, const QString& objectName, bool warning = true);

    std::unique_ptr<CharacterData> data_;
    MainForm form_;
    FileOpener opener_;
    std::function<QString()> today_;
    std::function<void(const QPoint&)> helpMenu_;
    std::function<void()> namingWindow_;
    MainWindowControls c_;
    PanArea* pan_ = nullptr;  // only on a screen too small for the window
    // What the text boxes last got, so unchanged texts are not laid out again.
    std::array<std::u16string, 5> shownText_;
    std::array<Colour, 5> shownColour_{};
    std::vector<std::string> pendingProblems_;
};

using 主窗 = MainWindow;

}  // namespace muwu
