#pragma once
// The engine's evaluator and panel without windows: a MainForm judges the candidates and plain
// settings stand in for the naming window, so the command line names by the window's rules.
#include <string>

#include "names/main_form.h"
#include "naming/engine.h"

namespace muwu {

class FormEvaluator final : public Evaluator {
  public:
    explicit FormEvaluator(MainForm& form) : form_(form) {}

    void set正在取名(bool running) noexcept override { form_.正在取名 = running; }
    void set自动识别姓氏(bool ticked) override { form_.set自动识别姓氏(ticked); }
    [[nodiscard]] bool 自动识别姓氏() const override { return form_.自动识别姓氏; }
    void restore自动识别姓氏(bool ticked) noexcept override { form_.restore自动识别姓氏(ticked); }
    void set姓长度(int length) override { form_.set姓长度(length); }
    void select(NameOption option) override;
    void writeText3(std::u16string_view name) override { form_.setText3(name); }
    [[nodiscard]] std::u16string text3() const override { return form_.Text3; }
    [[nodiscard]] bool isRed(GridBox box) const override;
    [[nodiscard]] bool 公司名Selected() const override { return form_.公司名; }
    void press求全称属性() override { form_.press求全称属性(); }
    [[nodiscard]] std::u16string 全称属性() const override { return form_.全称属性; }
    void show() override {}

  private:
    MainForm& form_;
};

// The naming window's settings as values; what the engine writes back is kept for reading.
struct NamingSettings {
    std::u16string prefix, suffix;
    std::u16string count = u"2";
    std::u16string limit = u"9";
    int 词义 = 1;
    // 词义 is shown only while the count picked is 2.
    [[nodiscard]] bool 词义Visible() const { return count == u"2"; }
};

class SettingsPanel final : public NamingPanel {
  public:
    explicit SettingsPanel(NamingSettings settings) : settings_(std::move(settings)) {}

    [[nodiscard]] std::u16string prefix() const override { return settings_.prefix; }
    [[nodiscard]] std::u16string suffix() const override { return settings_.suffix; }
    [[nodiscard]] std::u16string countText() const override { return settings_.count; }
    [[nodiscard]] std::u16string limitText() const override { return settings_.limit; }
    [[nodiscard]] int 词义Value() const override { return settings_.词义; }
    [[nodiscard]] bool 词义Visible() const override { return settings_.词义Visible(); }
    void show来自词(bool visible) override { 来自词Visible = visible; }
    void set来自词(std::u16string_view caption) override { 来自词.assign(caption); }
    void set属性(std::u16string_view caption) override { 属性.assign(caption); }

    std::u16string 来自词 = u"来自词";
    bool 来自词Visible = true;
    std::u16string 属性 = u"属性";

  private:
    NamingSettings settings_;
};

}  // namespace muwu
