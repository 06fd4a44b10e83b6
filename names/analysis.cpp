#include "names/analysis.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <span>
#include <vector>

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
    a.sancai = form.三才;
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

std::u16string_view personalScore(int luck, int misfortune) noexcept {
    // The score steps through its caption from 100, one factor per box; the rounded figure
    // depends only on how many boxes call for each factor.
    static const auto table = [] {
        std::array<std::array<std::u16string, 6>, 6> t;
        for (int a = 0; a <= 5; ++a) {
            for (int b = 0; a + b <= 5; ++b) {
                std::u16string score = u"100";
                for (int i = 0; i < a; ++i)
                    score = scoreStepByMarkers(score, kHasLuck);
                for (int i = 0; i < b; ++i)
                    score = scoreStepByMarkers(score, kHasMisfortune);
                t[static_cast<std::size_t>(a)][static_cast<std::size_t>(b)] = roundedScore(score);
            }
        }
        return t;
    }();
    if (luck < 0 || misfortune < 0 || luck + misfortune > 5)
        return {};
    return table[static_cast<std::size_t>(luck)][static_cast<std::size_t>(misfortune)];
}

namespace {

// The few values of a form that one analysis leaves for the next: the numbers shown, the markers
// of the five grid texts and the score. Runs the analysis with the rules the form's events apply.
class Analyser {
  public:
    Analyser(CharacterData& data, std::u16string_view name, bool company)
        : data_(data), name_(name), company_(company) {
        // Names of everyday length need no allocation for their characters.
        if (name.size() <= small_.size()) {
            units_ = std::span<StrokeInfo>(small_.data(), name.size());
        } else {
            large_.resize(name.size());
            units_ = large_;
        }
        for (std::size_t i = 0; i < name.size(); ++i)
            units_[i] = data.strokes(name.substr(i, 1));
    }

    Analyser(const Analyser&) = delete;  // units_ may point into the object itself
    Analyser& operator=(const Analyser&) = delete;

    // One analysis with the surname length in force; gives the length it leaves.
    int analyse(int length, bool autoRecognition) {
        if (name_.empty()) {
            std::fill(std::begin(markers_), std::end(markers_), 0u);
            return 1;
        }
        if (name_.size() == 1)
            length = 1;
        if (!company_ && name_.size() >= 3 && autoRecognition &&
            data_.startsWithDoubleSurname(name_)) {
            length = 2;
        }
        compute(length);
        return length;
    }

    Analysis result(int length) const {
        Analysis a;
        a.name.assign(name_);
        const std::size_t cut = surnameCut(name_, length);
        a.surname.assign(name_.substr(0, cut));
        a.given.assign(name_.substr(cut));
        a.surnameLength = length;
        a.company = company_;
        a.total = total_, a.heaven = heaven_, a.person = person_, a.earth = earth_;
        a.outer = outer_;
        if (!score_.empty())
            a.score.emplace(score_);
        for (const StrokeInfo& u : units_)
            a.attribute += u.attribute;
        a.totalClass = classOfMarkers(markers_[0]);
        a.heavenClass = classOfMarkers(markers_[1]);
        a.personClass = classOfMarkers(markers_[2]);
        a.earthClass = classOfMarkers(markers_[3]);
        a.outerClass = classOfMarkers(markers_[4]);
        a.sancai = sancai_;
        return a;
    }

  private:
    // Strokes of a text within the name: one unit from the table made up front, anything else
    // (the empty text, a surrogate pair taken whole) from the data.
    long long strokesOf(std::u16string_view text) {
        if (text.size() == 1 && text.data() >= name_.data() &&
            text.data() < name_.data() + name_.size()) {
            return units_[static_cast<std::size_t>(text.data() - name_.data())].strokes;
        }
        return data_.strokes(text).strokes;
    }

    void compute(int length) {
        const std::size_t cut = surnameCut(name_, length);
        const std::u16string_view surname = name_.substr(0, cut);
        const std::u16string_view given = name_.substr(cut);

        sancai_.reset();
        long long t = 0;
        for (const StrokeInfo& u : units_)
            t += u.strokes;
        if (t == 0) {
            // No character in the lists: no figure at all, none left from before.
            total_ = heaven_ = person_ = earth_ = outer_ = std::nullopt;
            std::fill(std::begin(markers_), std::end(markers_), 0u);
            score_ = {};
            return;
        }
        total_ = t;
        markers_[0] = entryMarkers(static_cast<int>(t > 80 ? t % 80 : t));

        if (!company_) {
            const auto L = static_cast<std::size_t>(length);
            long long n = L == 1
                              ? strokesOf(surname) + 1
                              : strokesOf(unitAt(surname, L - 1)) + strokesOf(unitAt(surname, L));
            heaven_ = n;
            markers_[1] = entryMarkers(entryIndexFor(n, t));

            n = (L == 1 ? strokesOf(surname) : strokesOf(unitAt(surname, L))) +
                strokesOf(unitAt(given, 1));
            person_ = n;
            markers_[2] = entryMarkers(entryIndexFor(n, t));

            if (given.size() == 1) {
                n = strokesOf(given) + 1;
            } else {
                n = 0;
                for (std::size_t i = 1; i <= given.size(); ++i)
                    n += strokesOf(unitAt(given, i));
            }
            earth_ = n;
            markers_[3] = entryMarkers(entryIndexFor(n, t));
            if (!given.empty())
                sancai_ = sancaiOf(*heaven_, *person_, n);

            const std::size_t s = surname.size(), g = given.size();
            n = (s == 1 && g == 1) ? 2 : t - *person_ + ((s == 1 || g == 1) ? 1 : 0);
            outer_ = n;
            if (n >= 0)
                markers_[4] = entryMarkers(entryIndexFor(n, t));
        }

        if (company_) {
            // Without a class the previous score stays.
            if (const std::u16string_view s = companyScoreOf(classOfMarkers(markers_[0]));
                !s.empty())
                score_ = s;
        } else {
            int luck = 0, misfortune = 0;
            for (const unsigned m : markers_) {
                luck += (m & kHasLuck) ? 1 : 0;
                misfortune += (m & kHasMisfortune) ? 1 : 0;
            }
            score_ = personalScore(luck, misfortune);
        }
    }

    CharacterData& data_;
    std::u16string_view name_;
    bool company_;
    std::array<StrokeInfo, 8> small_;
    std::vector<StrokeInfo> large_;
    std::span<StrokeInfo> units_;
    std::optional<long long> total_, heaven_, person_, earth_, outer_;
    unsigned markers_[5] = {};
    std::optional<Sancai> sancai_;
    std::u16string_view score_;  // empty: the caption still shows no number
};

}  // namespace

Analysis analyseName(CharacterData& data, std::u16string_view name,
                     const AnalysisOptions& options) {
    CharacterData::Batch batch(data);
    Analyser analyser(data, name, options.company);
    // A fresh form holds surname length 1; pasting the name is its first analysis (none for the
    // empty name, which the form already holds), and a surname length set afterwards that
    // differs from the one in force runs another.
    int length = 1;
    if (!name.empty())
        length = analyser.analyse(length, options.autoRecognition);
    if (options.surnameLength) {
        const int wanted = std::clamp(*options.surnameLength, kMinSurnameLength, kMaxSurnameLength);
        if (wanted != length)
            length = analyser.analyse(wanted, options.autoRecognition);
    }
    return analyser.result(length);
}

}  // namespace muwu
