#pragma once
// The main window's analysis, as plain state and one method per event. The Qt window shows these
// fields in its controls and forwards its events here; the command line drives the same object, so
// both answer alike. Field names are the controls' names.
//
// As in the window, setting a value from code runs that control's handler before the setter
// returns: the double-surname recognition sets 姓长度, whose change runs a whole nested analysis.
#include <string>
#include <string_view>

#include <optional>

#include "names/char_data.h"
#include "names/luck_table.h"
#include "names/sancai.h"

namespace muwu {

inline constexpr int kMinSurnameLength = 1;
inline constexpr int kMaxSurnameLength = 10;

inline constexpr std::u16string_view kTotalCaptionPerson = u"总运：（后半生）";
inline constexpr std::u16string_view kTotalCaptionCompany = u"总运：";

// Where the surname of the given length ends in name: a surrogate pair is never cut in two, so
// both parts stay whole characters.
[[nodiscard]] std::size_t surnameCut(std::u16string_view name, int length) noexcept;

// Unit i (from 1) of text, or the empty text beyond its end.
[[nodiscard]] std::u16string_view unitAt(std::u16string_view text, std::size_t i) noexcept;

class MainForm {
  public:
    explicit MainForm(CharacterData& data);

    // --- state, named as the controls -----------------------------------------------------------
    std::u16string caption;  // window title

    // Name bar.
    std::u16string Text3;
    bool 人名 = true;
    bool 公司名 = false;
    std::u16string 评分 = u"评分";
    bool 自动识别姓氏 = true;
    int 姓长度 = 1;
    bool 单姓 = true;
    bool 复姓 = false;
    std::u16string 姓;
    std::u16string 名;

    // Total.
    std::u16string 总运板 = std::u16string(kTotalCaptionPerson);
    std::u16string Text4;
    std::u16string 总笔画数 = u"总笔画数";
    std::u16string 全称属性 = u"全称属性";

    // Grids.
    bool gridFramesVisible = true;
    std::u16string Text5, Text6, Text7, Text8;
    std::u16string 天格笔画数 = u"天格笔画数";
    std::u16string 人格笔画数 = u"人格笔画数";
    std::u16string 地格笔画数 = u"地格笔画数";
    std::u16string 外格笔画数 = u"外格笔画数";
    Colour colourText4 = kGreen, colourText5 = kGreen, colourText6 = kGreen, colourText7 = kGreen,
           colourText8 = kGreen;
    // The 三才 of the grids this analysis computed, shown by the label 三才. None for a company
    // name, a name without a given name, or one whose grids were not computed (total 0).
    std::optional<Sancai> 三才;

    // Hidden work area.
    std::u16string Text1, Text2;
    std::u16string 笔画数 = u"笔画数";
    std::u16string 属性 = u"属性";

    // True while a naming run is in progress.
    bool 正在取名 = false;

    // Characters of the name that no stroke list holds, each once, in the name's order: the
    // figures count them as nothing.
    std::u16string missingCharacters;

    // --- events ---------------------------------------------------------------------------------
    void load();

    // Change of the name box (also from code). A write of the text it already holds changes
    // nothing and runs nothing, as with any text box.
    void setText3(std::u16string_view text);

    // Change of the surname-length scroll bar; the value is kept within 1…10, and a value equal
    // to the current one runs nothing. A length set here is the user's choice and stays for the
    // next name.
    void set姓长度(int value);

    // Mouse button released over an option button.
    void release人名();
    void release公司名();
    void release单姓();
    void release复姓();

    // Selection by keyboard or from code: changes the option group only, runs no analysis.
    void select人名();
    void select公司名();
    void select单姓();
    void select复姓();

    // 单姓 or 复姓 selected by keyboard: the surname length follows, so the options never show a
    // length other than the one in force.
    void keySelect单姓();
    void keySelect复姓();

    // Click of the check box (by the user or by setting its value from code to a new value).
    void set自动识别姓氏(bool ticked);
    // Puts the tick back as it was before a naming run, leaving the name's analysis as it is.
    void restore自动识别姓氏(bool ticked) noexcept { 自动识别姓氏 = ticked; }

    // Hidden buttons and public operations.
    void 求评分();
    void press求全称属性();
    void press求天格();
    void press求人格();
    void press求地格();
    void press求外格();

    // Writes the work-area box: conversion, then stroke lookup.
    void setText1(std::u16string_view text);
    // The work area's two hidden buttons, each on its own: Text2 from Text1; 笔画数 and 属性.
    void press简体转换为繁体();
    void press求笔画();

    // Times the analysis ran, nested runs included; lets tests and tools see re-entrancy.
    [[nodiscard]] long analysisRuns() const noexcept { return analysisRuns_; }

    [[nodiscard]] CharacterData& data() noexcept { return data_; }

    // Classes of Text4…Text8 (index 0…4) as found when each box was last written.
    [[nodiscard]] LuckClass gridClass(int box) const noexcept {
        return classOfMarkers(markers_[static_cast<std::size_t>(box)]);
    }

  private:
    void analyse();
    // A name none of whose characters is in the lists: no figure is shown, none is left over.
    void showNoFigures();
    void set总笔画数(std::u16string text);
    void setGridText(std::u16string& box, Colour& colour, std::u16string_view text);
    void setGridEntry(std::u16string& box, Colour& colour, int entry);
    unsigned& markersOfBox(const std::u16string& box);
    int lookup(std::u16string_view text);  // via Text1; the stroke count
    [[nodiscard]] bool gridsApply();
    void writeGrid(std::u16string& label, std::u16string& box, Colour& colour, long long n,
                   bool onlyWhenNonNegative);

    CharacterData& data_;
    long analysisRuns_ = 0;
    // The surname length was set by the double-surname recognition, not chosen: a new name that
    // does not begin with a listed double surname goes back to length 1.
    bool lengthRecognised_ = false;
    unsigned markers_[5] = {};  // markers of Text4…Text8, found once when each is written
};

}  // namespace muwu
