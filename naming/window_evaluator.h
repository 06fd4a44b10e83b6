#pragma once
// The engine's evaluator over the real main window: every write goes through the control of that
// name, so the window's own handlers run, and the colours are read off the grid boxes.
#include "naming/engine.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QTextEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;

namespace muwu {

class MainWindow;

class WindowEvaluator final : public Evaluator {
  public:
    explicit WindowEvaluator(MainWindow& main);

    void set正在取名(bool running) noexcept override;
    void set自动识别姓氏(bool ticked) override;
    [[nodiscard]] bool 自动识别姓氏() const override;
    void restore自动识别姓氏(bool ticked) noexcept override;
    void set姓长度(int length) override;
    void select(NameOption option) override;
    void writeText3(std::u16string_view name) override;
    [[nodiscard]] std::u16string text3() const override;
    [[nodiscard]] bool isRed(GridBox box) const override;
    [[nodiscard]] bool 公司名Selected() const override;
    void press求全称属性() override;
    [[nodiscard]] std::u16string 全称属性() const override;
    void show() override;

  private:
    MainWindow& main_;
    QLineEdit* Text3_;
    QTextEdit* boxes_[4];  // Text4, Text6, Text7, Text8
    QCheckBox* 自动识别姓氏_;
    QScrollBar* 姓长度_;
    QRadioButton* options_[4];  // 人名, 公司名, 单姓, 复姓
    QPushButton* 求全称属性_;
    QLabel* 全称属性_;
};

}  // namespace muwu
