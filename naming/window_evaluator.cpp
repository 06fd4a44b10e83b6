#include "naming/window_evaluator.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTextEdit>
#include <stdexcept>

#include "controls/qt_colour.h"
#include "names/main_window.h"

namespace muwu {

namespace {

template <typename W>
W* need(const MainWindow& main, const char16_t* name) {
    W* w = main.control<W>(QString::fromUtf16(name));
    if (!w)
        throw std::logic_error("main window without control " +
                               QString::fromUtf16(name).toStdString());
    return w;
}

}  // namespace

// The controls are looked up once; the main window keeps them for its whole life.
WindowEvaluator::WindowEvaluator(MainWindow& main)
    : main_(main),
      Text3_(need<QLineEdit>(main, u"Text3")),
      boxes_{need<QTextEdit>(main, u"Text4"), need<QTextEdit>(main, u"Text6"),
             need<QTextEdit>(main, u"Text7"), need<QTextEdit>(main, u"Text8")},
      自动识别姓氏_(need<QCheckBox>(main, u"自动识别姓氏")),
      姓长度_(need<QScrollBar>(main, u"姓长度")),
      options_{need<QRadioButton>(main, u"人名"), need<QRadioButton>(main, u"公司名"),
               need<QRadioButton>(main, u"单姓"), need<QRadioButton>(main, u"复姓")},
      求全称属性_(need<QPushButton>(main, u"求全称属性")),
      全称属性_(need<QLabel>(main, u"全称属性")) {}

void WindowEvaluator::set正在取名(bool running) noexcept {
    main_.set正在取名(running);
}

void WindowEvaluator::set自动识别姓氏(bool ticked) {
    自动识别姓氏_->setChecked(ticked);
}

bool WindowEvaluator::自动识别姓氏() const {
    return 自动识别姓氏_->isChecked();
}

void WindowEvaluator::restore自动识别姓氏(bool ticked) noexcept {
    main_.restore自动识别姓氏(ticked);
}

void WindowEvaluator::set姓长度(int length) {
    姓长度_->setValue(length);
}

void WindowEvaluator::select(NameOption option) {
    options_[static_cast<int>(option)]->setChecked(true);
}

void WindowEvaluator::writeText3(std::u16string_view name) {
    Text3_->setText(QString::fromUtf16(name.data(), static_cast<qsizetype>(name.size())));
}

std::u16string WindowEvaluator::text3() const {
    return Text3_->text().toStdU16String();
}

bool WindowEvaluator::isRed(GridBox box) const {
    return boxes_[static_cast<int>(box)]->palette().color(QPalette::Text) ==
           controls::toQColor(kRed);
}

bool WindowEvaluator::公司名Selected() const {
    return options_[static_cast<int>(NameOption::company)]->isChecked();
}

void WindowEvaluator::press求全称属性() {
    求全称属性_->click();
}

std::u16string WindowEvaluator::全称属性() const {
    return 全称属性_->text().toStdU16String();
}

void WindowEvaluator::show() {
    main_.show();
    main_.raise();
}

}  // namespace muwu
