#include "names/analysis.h"

#include <cmath>

#include "names/score.h"

namespace muwu {

namespace {
std::optional<long long> shownNumber(const std::u16string& caption) {
    const std::optional<double> v = leadingNumber(caption);
    if (!v)
        return std::nullopt;
    return static_cast<long long>(std::llround(*v));
}
}  // namespace

Analysis readAnalysis(const MainForm& form) {
    Analysis a;
    a.name = form.Text3;
    a.surname = form.姓;
    a.given = form.名;
    a.surnameLength = form.姓长度;
    a.company = form.公司名;
    a.total = shownNumber(form.总笔画数);
    a.heaven = shownNumber(form.天格笔画数);
    a.person = shownNumber(form.人格笔画数);
    a.earth = shownNumber(form.地格笔画数);
    a.outer = shownNumber(form.外格笔画数);
    if (leadingNumber(form.评分))
        a.score = form.评分;
    a.attribute = form.全称属性;
    a.totalClass = form.gridClass(0);
    a.heavenClass = form.gridClass(1);
    a.personClass = form.gridClass(2);
    a.earthClass = form.gridClass(3);
    a.outerClass = form.gridClass(4);
    return a;
}

void pasteName(MainForm& form, std::u16string_view name, const AnalysisOptions& options) {
    if (!options.autoRecognition)
        form.set自动识别姓氏(false);
    if (options.company)
        form.release公司名();
    form.setText3(name);
    if (options.surnameLength)
        form.set姓长度(*options.surnameLength);
}

}  // namespace muwu
