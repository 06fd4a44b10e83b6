#pragma once
// 选名窗: every good name for a surname, ranked, filled as the user types. The fields are the
// search's options, a gender, a least 三才 and a birth moment whose chart's absent elements the
// names should bring; the list shows each name's pinyin, score, five numbers with their classes,
// 三才, attribute and the meanings of its characters. Enter or a double click writes the chosen name into the main window, which shows
// its whole analysis. Opened from the naming window's 列出好名.
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "naming/birth_reading.h"
#include "naming/name_search.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace muwu {

class MainWindow;

// What the list starts from: the naming window's settings.
struct NameListStart {
    QString prefix, suffix;  // an empty prefix means a company name
    int gender = 0;          // 0 不限, 1 男, 2 女
    QString birth, zone;     // the birth moment as typed, and its zone
};

class NameListWindow : public QWidget {
    Q_OBJECT
  public:
    // A top-level window beside main; it closes when main goes.
    explicit NameListWindow(MainWindow& main, QWidget* parent = nullptr);
    ~NameListWindow() override;

    // Sets the fields as the naming window holds them.
    void startFrom(const NameListStart& start);

    // The result on view; empty before the first search and when the options are refused.
    [[nodiscard]] const std::optional<SearchResult>& result() const noexcept { return result_; }

    // Writes the name of a row of the list (as sorted on screen) into the main window.
    void choose(int row);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void build();
    void changed();
    void search() noexcept;
    void fill(const SearchResult& r);
    [[nodiscard]] const std::vector<PoolCharacter>& pool(bool all);
    [[nodiscard]] std::optional<SearchOptions> options(QString& problem) const;

    MainWindow& main_;
    QTimer debounce_;
    // Built once and kept while the data stay as they were.
    struct Pool {
        std::uint64_t revision = 0;
        std::vector<PoolCharacter> characters;
    };
    std::optional<Pool> worthyPool_, allPool_;
    std::optional<SearchResult> result_;
    SearchOptions shownOptions_;
    // The birth moment read from its fields, and the text it was read from.
    std::optional<BirthReading> birth_;
    std::u16string birthFor_;

    QLineEdit* 姓_ = nullptr;
    QComboBox* 字数_ = nullptr;
    QLineEdit* 保留字_ = nullptr;
    QComboBox* 位置_ = nullptr;
    QLineEdit* 不用字_ = nullptr;
    QLineEdit* 五行_ = nullptr;
    QLineEdit* 最低评分_ = nullptr;
    QCheckBox* 公司名_ = nullptr;
    QLineEdit* 后缀_ = nullptr;
    QCheckBox* 所有字_ = nullptr;
    QSpinBox* 列出个数_ = nullptr;
    QLineEdit* 出生时间_ = nullptr;
    QLineEdit* 时区_ = nullptr;
    QLabel* 八字_ = nullptr;
    QComboBox* 性别_ = nullptr;
    QComboBox* 三才_ = nullptr;
    QLabel* 结果_ = nullptr;
    QTableWidget* 名单_ = nullptr;
    QPushButton* 写入主窗_ = nullptr;
};

using 选名窗 = NameListWindow;

// Puts 列出好名 beside 求名 in the naming window; it opens the name list window (one at a time)
// with what start gives.
void attachNameListButton(QWidget& namingWindow, QWidget& 求名, MainWindow& main,
                          std::function<NameListStart()> start);

}  // namespace muwu
