#pragma once
// The engine against the bare analysis, with every attempt's verdict noted as the analysis gave it.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "names/char_data.h"
#include "names/main_form.h"
#include "naming/engine.h"
#include "naming/form_evaluator.h"
#include "tests/support/data_dir.h"

namespace muwu::test {

// Plays back fixed values, from the start again at every reseed and round again when used up.
class ScriptedRandom final : public RandomSource {
  public:
    explicit ScriptedRandom(std::vector<float> values) : values_(std::move(values)) {}
    void reseed() override {
        next_ = 0;
        ++reseeds;
    }
    float next() override { return values_[next_++ % values_.size()]; }
    int reseeds = 0;

  private:
    std::vector<float> values_;
    std::size_t next_ = 0;
};

// The draw that picks list n under a stroke limit, and item i (from 0) of a pool of size items.
inline float listDraw(int n, double limit) {
    return static_cast<float>((n - 0.5) / limit);
}
inline float itemDraw(std::size_t i, std::size_t size) {
    return static_cast<float>((static_cast<double>(i) + 0.5) / static_cast<double>(size));
}

struct Attempt {
    std::u16string name;
    bool company = false;
    // Grids whose text is of class 凶, as the analysis classed them.
    bool total = false, person = false, earth = false, outer = false;
    std::u16string from;  // 来自词 at the time of the write
};

// The rule each verdict should follow: 总格 first; a company stops there; then 人格, 地格 and,
// except for a name of two characters, 外格.
inline bool passes(const Attempt& a) {
    if (a.total)
        return false;
    if (a.company)
        return true;
    return !a.person && !a.earth && (!a.outer || a.name.size() == 2);
}

class RecordingEvaluator final : public Evaluator {
  public:
    RecordingEvaluator(MainForm& form, const SettingsPanel& panel)
        : form_(form), inner_(form), panel_(panel) {}

    void set正在取名(bool running) noexcept override { inner_.set正在取名(running); }
    void set自动识别姓氏(bool ticked) override { inner_.set自动识别姓氏(ticked); }
    [[nodiscard]] bool 自动识别姓氏() const override { return inner_.自动识别姓氏(); }
    void restore自动识别姓氏(bool ticked) noexcept override { inner_.restore自动识别姓氏(ticked); }
    void set姓长度(int length) override { inner_.set姓长度(length); }
    void select(NameOption option) override { inner_.select(option); }
    void writeText3(std::u16string_view name) override {
        inner_.writeText3(name);
        ++writes;
        if (name.empty())
            return;
        const auto unlucky = [&](int box) { return form_.gridClass(box) == LuckClass::misfortune; };
        attempts.push_back({form_.Text3, form_.公司名, unlucky(0), unlucky(2), unlucky(3),
                            unlucky(4), panel_.来自词});
    }
    [[nodiscard]] std::u16string text3() const override { return inner_.text3(); }
    [[nodiscard]] bool isRed(GridBox box) const override { return inner_.isRed(box); }
    [[nodiscard]] bool 公司名Selected() const override { return inner_.公司名Selected(); }
    void press求全称属性() override { inner_.press求全称属性(); }
    [[nodiscard]] std::u16string 全称属性() const override { return inner_.全称属性(); }
    void show() override { ++shows; }

    std::vector<Attempt> attempts;
    int writes = 0;
    int shows = 0;

  private:
    MainForm& form_;
    FormEvaluator inner_;
    const SettingsPanel& panel_;
};

struct RunRecord {
    RunResult result;
    std::vector<Attempt> attempts;
    int writes = 0;
    int shows = 0;
    SettingsPanel panel;
};

class EngineTest : public ::testing::Test {
  protected:
    // A small data set whose counts are fixed here: 一 1, 丁 2, 三 3, 王 4, 张 11 strokes.
    void useSmallData() {
        small_ = std::make_unique<DataDir>();
        for (int k = 1; k <= kMaxStrokes; ++k)
            small_->writeList(k, u"标题\r\n");
        small_->writeList(1, u"1画\r\n五行属“土”：一\r\n");
        small_->writeList(2, u"2画\r\n五行属“火”：丁\r\n");
        small_->writeList(3, u"3画\r\n五行属“金”：三\r\n");
        small_->writeList(4, u"4画\r\n五行属“土”：王\r\n");
        small_->writeList(11, u"11画\r\n五行属“火”：张\r\n");
        small_->write(kSimplifiedTableName, u"\r\n");
        small_->write(kTraditionalTableName, u"\r\n");
        small_->write(kDoubleSurnameListName, u"\r\n");
        useData(small_->path());
    }

    void useData(const std::filesystem::path& folder) {
        form_.reset();
        data_ = std::make_unique<CharacterData>(folder);
        form_ = std::make_unique<MainForm>(*data_);
        form_->load();
    }

    RunRecord run(const NamingSettings& settings, RandomSource& random, const WordList& words = {},
                  PoolSource pools = {}, DrawRules rules = {}) {
        if (!pools)
            pools = [this](int n) { return data_->strokePool(n); };
        RunRecord r{{}, {}, 0, 0, SettingsPanel(settings)};
        RecordingEvaluator evaluator(*form_, r.panel);
        NamingEngine engine(evaluator, r.panel, random, std::move(pools), words, std::move(rules));
        r.result = engine.run();
        r.attempts = std::move(evaluator.attempts);
        r.writes = evaluator.writes;
        r.shows = evaluator.shows;
        return r;
    }

    [[nodiscard]] MainForm& form() { return *form_; }
    [[nodiscard]] CharacterData& data() { return *data_; }

  private:
    std::unique_ptr<DataDir> small_;
    std::unique_ptr<CharacterData> data_;
    std::unique_ptr<MainForm> form_;
};

}  // namespace muwu::test
