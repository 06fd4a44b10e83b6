#pragma once
// The controls of the naming window, named as the window knows them, and the function that
// creates and places them. The behaviour lives in naming_window.cpp.
#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace muwu {

class MWButton;

// Client area in twips: the engine's settings and 求名 above, the birth moment in a frame the
// window gained below them.
inline constexpr int kNamingWindowWidthTwips = 4800;
inline constexpr int kNamingWindowHeightTwips = 6060;

inline constexpr int kLowestCountEntry = 1;  // 求的字数 offers 1 … 22
inline constexpr int kLowestLimitEntry = 3;  // 字复杂程度 offers 3 … 30

struct NamingWindowControls {
    QLineEdit* Text1 = nullptr;
    QLineEdit* Text2 = nullptr;
    // Label1 is a control array: index 0 captions Text1, index 1 captions Text2. Both carry the
    // object name "Label1" and their index in the property "index".
    std::array<QLabel*, 2> Label1{};
    QComboBox* 求的字数 = nullptr;
    QLabel* Label2 = nullptr;
    QComboBox* 字复杂程度 = nullptr;
    QLabel* Label3 = nullptr;
    QGroupBox* Frame1 = nullptr;
    QCheckBox* 词义 = nullptr;
    QLabel* 来自词 = nullptr;
    QLabel* 属性 = nullptr;
    MWButton* 求名 = nullptr;

    QLabel* 性别标签 = nullptr;
    QComboBox* 性别 = nullptr;  // 不限, 男, 女
    QGroupBox* 出生板 = nullptr;
    QLabel* 出生时间标签 = nullptr;
    QLineEdit* 出生时间 = nullptr;
    QLabel* 时区标签 = nullptr;
    QLineEdit* 时区 = nullptr;
    QLabel* 八字 = nullptr;  // the pillars and the lacking elements, or what is wrong
};

// Creates every control with its initial caption or content as a child of window, placed for a
// screen of dotsPerInch, and sizes the window's client area.
void buildNamingWindowControls(QWidget* window, double dotsPerInch, NamingWindowControls& c);

}  // namespace muwu
