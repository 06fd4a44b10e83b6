#include "names/main_form.h"

#include <algorithm>

#include "names/score.h"
#include "names/version.h"
#include "platform/text.h"

namespace muwu {

std::size_t surnameCut(std::u16string_view name, int length) noexcept {
    std::size_t cut =
        std::min<std::size_t>(static_cast<std::size_t>(std::max(length, 0)), name.size());
    if (cut > 0 && cut < name.size() && isHighSurrogate(name[cut - 1]) && isLowSurrogate(name[cut]))
        ++cut;
    return cut;
}

std::u16string_view unitAt(std::u16string_view text, std::size_t i) noexcept {
    if (i < 1 || i > text.size())
        return {};
    return text.substr(i - 1, 1);
}

namespace {

std::u16string decimal(long long n) {
    const std::string s = std::to_string(n);
    return std::u16string(s.begin(), s.end());
}

long long wholeNumberOf(std::u16string_view caption) {
    return static_cast<long long>(numberOf(caption));
}

}  // namespace

MainForm::MainForm(CharacterData& data) : data_(data) {}

void MainForm::load() {
    caption = applicationTitle();
    // Emptying the boxes runs their change handlers, whatever they held before.
    setText1(u"");
    Text2.clear();
    Text3.clear();
    setGridText(Text4, colourText4, u"");
    setGridText(Text5, colourText5, u"");
    analyse();
}

void MainForm::setText3(std::u16string_view text) {
    if (text == Text3)
        return;
    Text3.assign(text);
    analyse();
}

void MainForm::set姓长度(int value) {
    value = std::clamp(value, kMinSurnameLength, kMaxSurnameLength);
    if (value == 姓长度)
        return;
    lengthRecognised_ = false;
    姓长度 = value;
    if (value == 1) {
        select单姓();
    } else {
        select复姓();
    }
    if (!正在取名)
        analyse();
}

void MainForm::select人名() {
    人名 = true, 公司名 = false;
}
void MainForm::select公司名() {
    人名 = false, 公司名 = true;
}
void MainForm::select单姓() {
    单姓 = true, 复姓 = false;
}
void MainForm::select复姓() {
    单姓 = false, 复姓 = true;
}

void MainForm::release人名() {
    select人名();
    总运板 = kTotalCaptionPerson;
    analyse();
}

void MainForm::release公司名() {
    select公司名();
    总运板 = kTotalCaptionCompany;
    analyse();
}

void MainForm::release单姓() {
    select单姓();
    set姓长度(1);
}

void MainForm::release复姓() {
    select复姓();
    lengthRecognised_ = false;
    // 复姓 shown over a one-character surname would contradict the split: the length follows.
    if (姓长度 == kMinSurnameLength && !正在取名) {
        set姓长度(2);  // analyses
        return;
    }
    analyse();
}

void MainForm::keySelect单姓() {
    select单姓();
    set姓长度(kMinSurnameLength);
}

void MainForm::keySelect复姓() {
    select复姓();
    if (姓长度 == kMinSurnameLength)
        set姓长度(2);
}

void MainForm::set自动识别姓氏(bool ticked) {
    if (ticked == 自动识别姓氏)
        return;
    自动识别姓氏 = ticked;
    if (ticked)
        analyse();
}

void MainForm::setText1(std::u16string_view text) {
    Text1.assign(text);
    press简体转换为繁体();
    press求笔画();
}

void MainForm::press简体转换为繁体() {
    if (std::optional<std::u16string> t = data_.traditional(Text1))
        Text2 = std::move(*t);
}

void MainForm::press求笔画() {
    StrokeInfo info = data_.strokes(Text1);
    笔画数 = decimal(info.strokes);
    属性 = std::move(info.attribute);
}

int MainForm::lookup(std::u16string_view text) {
    // Through the work area, so it always shows the last character looked up.
    const std::u16string copy(text);
    setText1(copy);
    return static_cast<int>(wholeNumberOf(笔画数));
}

unsigned& MainForm::markersOfBox(const std::u16string& box) {
    if (&box == &Text4)
        return markers_[0];
    if (&box == &Text5)
        return markers_[1];
    if (&box == &Text6)
        return markers_[2];
    if (&box == &Text7)
        return markers_[3];
    return markers_[4];
}

void MainForm::setGridText(std::u16string& box, Colour& colour, std::u16string_view text) {
    box.assign(text);
    unsigned& markers = markersOfBox(box);
    markers = markersOf(box);
    colour = colourOfMarkers(markers);
}

void MainForm::setGridEntry(std::u16string& box, Colour& colour, int entry) {
    box.assign(luckEntry(entry));
    unsigned& markers = markersOfBox(box);
    markers = entryMarkers(entry);
    colour = colourOfMarkers(markers);
}

void MainForm::set总笔画数(std::u16string text) {
    总笔画数 = std::move(text);
    const long long total = wholeNumberOf(总笔画数);
    setGridEntry(Text4, colourText4, static_cast<int>(total > 80 ? total % 80 : total));
}

void MainForm::analyse() {
    ++analysisRuns_;
    CharacterData::Batch batch(data_);
    const std::u16string name = Text3;

    if (!正在取名 && name.size() == 1) {
        select单姓();
        set姓长度(1);
    }
    // A length the recognition found belongs to the name it was found in.
    if (!正在取名 && lengthRecognised_ && !data_.startsWithDoubleSurname(name))
        set姓长度(1);  // runs a complete nested analysis

    const std::size_t cut = surnameCut(name, 姓长度);
    姓 = name.substr(0, cut);
    名 = name.substr(cut);

    if (!正在取名)
        press求全称属性();
    gridFramesVisible = 人名;

    if (name.empty() && !正在取名) {
        select单姓();
        set姓长度(1);
        missingCharacters.clear();
        setGridText(Text4, colourText4, u"");
        setGridText(Text5, colourText5, u"");
        setGridText(Text6, colourText6, u"");
        setGridText(Text7, colourText7, u"");
        setGridText(Text8, colourText8, u"");
        三才.reset();
        return;
    }

    if (!正在取名 && 人名 && name.size() >= 3 && 自动识别姓氏 &&
        data_.startsWithDoubleSurname(name) && 姓长度 != 2) {
        set姓长度(2);  // runs a complete nested analysis
        lengthRecognised_ = true;
    }

    总运板 = 公司名 ? kTotalCaptionCompany : kTotalCaptionPerson;

    set总笔画数(u"0");
    missingCharacters.clear();
    for (std::size_t i = 0; i < name.size(); ++i) {
        const int strokes = lookup(std::u16string_view(name).substr(i, 1));
        set总笔画数(decimal(wholeNumberOf(总笔画数) + strokes));
        if (strokes != 0)
            continue;
        // A character outside the basic plane is looked up unit by unit, and named whole.
        const std::size_t n =
            i + 1 < name.size() && isHighSurrogate(name[i]) && isLowSurrogate(name[i + 1]) ? 2 : 1;
        const std::u16string_view character = std::u16string_view(name).substr(i, n);
        if (missingCharacters.find(character) == std::u16string::npos)
            missingCharacters += character;
    }
    三才.reset();
    if (!name.empty() && wholeNumberOf(总笔画数) == 0) {
        showNoFigures();
        return;
    }

    if (人名) {
        press求天格();
        press求人格();
        press求地格();
        press求外格();
        if (gridsApply() && !名.empty()) {
            三才 = sancaiOf(wholeNumberOf(天格笔画数), wholeNumberOf(人格笔画数),
                            wholeNumberOf(地格笔画数));
        }
    }

    if (公司名) {
        if (std::optional<std::u16string> s = companyScore(Text4))
            评分 = std::move(*s);
    } else {
        求评分();
    }
    评分 = roundedScore(评分);
}

void MainForm::showNoFigures() {
    set总笔画数(u"总笔画数");
    天格笔画数 = u"天格笔画数";
    人格笔画数 = u"人格笔画数";
    地格笔画数 = u"地格笔画数";
    外格笔画数 = u"外格笔画数";
    setGridText(Text5, colourText5, u"");
    setGridText(Text6, colourText6, u"");
    setGridText(Text7, colourText7, u"");
    setGridText(Text8, colourText8, u"");
    评分 = u"评分";
}

bool MainForm::gridsApply() {
    return !Text3.empty() && wholeNumberOf(总笔画数) != 0;
}

void MainForm::writeGrid(std::u16string& label, std::u16string& box, Colour& colour, long long n,
                         bool onlyWhenNonNegative) {
    label = decimal(n);
    if (onlyWhenNonNegative && n < 0)
        return;
    setGridEntry(box, colour, entryIndexFor(n, wholeNumberOf(总笔画数)));
}

void MainForm::press求天格() {
    if (!gridsApply())
        return;
    const std::u16string s = 姓;
    const std::size_t L = static_cast<std::size_t>(姓长度);
    long long n = 0;
    if (L == 1) {
        n = lookup(s) + 1;
    } else {
        n = lookup(unitAt(s, L - 1));
        n += lookup(unitAt(s, L));
    }
    writeGrid(天格笔画数, Text5, colourText5, n, false);
}

void MainForm::press求人格() {
    if (!gridsApply())
        return;
    const std::u16string s = 姓;
    const std::u16string g = 名;
    const std::size_t L = static_cast<std::size_t>(姓长度);
    long long n = L == 1 ? lookup(s) : lookup(unitAt(s, L));
    n += lookup(unitAt(g, 1));
    writeGrid(人格笔画数, Text6, colourText6, n, false);
}

void MainForm::press求地格() {
    if (!gridsApply())
        return;
    const std::u16string g = 名;
    long long n = 0;
    if (g.size() == 1) {
        n = lookup(g) + 1;
    } else {
        for (std::size_t i = 0; i < g.size(); ++i)
            n += lookup(std::u16string_view(g).substr(i, 1));
    }
    writeGrid(地格笔画数, Text7, colourText7, n, false);
}

void MainForm::press求外格() {
    if (!gridsApply())
        return;
    const std::size_t s = 姓.size();
    const std::size_t g = 名.size();
    long long n = 0;
    if (s == 1 && g == 1) {
        n = 2;
    } else {
        n = wholeNumberOf(总笔画数) - wholeNumberOf(人格笔画数) + ((s == 1 || g == 1) ? 1 : 0);
    }
    writeGrid(外格笔画数, Text8, colourText8, n, true);
}

void MainForm::求评分() {
    评分 = u"100";
    for (const unsigned markers : markers_)
        评分 = scoreStepByMarkers(评分, markers);
}

void MainForm::press求全称属性() {
    std::u16string attribute;
    const std::u16string name = Text3;
    for (std::size_t i = 0; i < name.size(); ++i) {
        lookup(std::u16string_view(name).substr(i, 1));
        attribute += 属性;
    }
    全称属性 = std::move(attribute);
}

}  // namespace muwu
