#pragma once
// The controls of the main window, named as the window knows them, and the one function that
// creates and places them. The window's behaviour lives in main_window.cpp.
#include <array>

class QButtonGroup;
class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QWidget;

namespace muwu {

class EntryBox;
class FitLabel;
class FitLineEdit;
class PressLabel;
class MWButton;

// Client area of the window in twips.
inline constexpr int kMainWindowWidthTwips = 13380;
inline constexpr int kMainWindowHeightTwips = 9840;

// The least size of the name box's font for a long name: the size of the window's captions.
inline constexpr double kLeastNamePointSize = 9.0;

struct MainWindowControls {
    MWButton* 报表 = nullptr;
    QFrame* Picture1 = nullptr;
    PressLabel* Label4 = nullptr;

    QGroupBox* Frame1 = nullptr;
    QLabel* Label1 = nullptr;
    FitLineEdit* Text3 = nullptr;
    QRadioButton* 人名 = nullptr;
    QRadioButton* 公司名 = nullptr;
    QButtonGroup* nameKind = nullptr;  // 人名, 公司名
    QGroupBox* Frame4 = nullptr;
    QLabel* 评分 = nullptr;
    MWButton* 自动取名 = nullptr;

    QGroupBox* Frame3 = nullptr;
    QCheckBox* 自动识别姓氏 = nullptr;
    QLabel* Label5 = nullptr;
    QScrollBar* 姓长度 = nullptr;
    QRadioButton* 单姓 = nullptr;
    QRadioButton* 复姓 = nullptr;
    QButtonGroup* surnameKind = nullptr;  // 单姓, 复姓
    QLabel* Label2 = nullptr;
    FitLabel* 姓 = nullptr;
    QLabel* Label3 = nullptr;
    FitLabel* 名 = nullptr;

    QGroupBox* 总运板 = nullptr;
    EntryBox* Text4 = nullptr;
    QLabel* 总笔画数 = nullptr;
    FitLabel* 全称属性 = nullptr;

    // 天格, 人格, 地格, 外格 in this order.
    std::array<QGroupBox*, 4> gridFrames{};     // 天格板 … 外格板
    std::array<EntryBox*, 4> gridBoxes{};       // Text5 … Text8
    std::array<QLabel*, 4> gridNumbers{};       // 天格笔画数 … 外格笔画数
    std::array<QPushButton*, 4> gridButtons{};  // 求天格 … 求外格, hidden
    QLabel* 三才 = nullptr;                     // in 人格板, below its number
    QLabel* 拼音 = nullptr;  // on the window, over 天格板's number column below its number

    // The hidden work area.
    QGroupBox* Frame2 = nullptr;
    QLineEdit* Text1 = nullptr;
    QLineEdit* Text2 = nullptr;
    QPushButton* 简体转换为繁体 = nullptr;
    QPushButton* 求笔画 = nullptr;
    QLabel* 笔画数 = nullptr;
    QLabel* 属性 = nullptr;
    QPushButton* 求全称属性 = nullptr;
};

// Creates every control as a child of window, at its place for a screen of dotsPerInch, and
// sizes the window's client area. Captions are the initial ones; the window refreshes the rest.
void buildMainWindowControls(QWidget* window, double dotsPerInch, MainWindowControls& c);

}  // namespace muwu
