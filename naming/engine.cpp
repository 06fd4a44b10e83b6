#include "naming/engine.h"

#include <algorithm>

#include "names/score.h"
#include "naming/supply.h"

namespace muwu {

namespace {

// Whatever way a run ends, the main window leaves naming mode, and 自动 is as the user had it:
// the run needs it off, but the next name the user types needs it as it was.
class NamingMode {
  public:
    explicit NamingMode(Evaluator& evaluator)
        : evaluator_(evaluator), automatic_(evaluator.自动识别姓氏()) {
        evaluator_.set正在取名(true);
    }
    ~NamingMode() {
        evaluator_.set正在取名(false);
        evaluator_.restore自动识别姓氏(automatic_);
    }
    NamingMode(const NamingMode&) = delete;
    NamingMode& operator=(const NamingMode&) = delete;

  private:
    Evaluator& evaluator_;
    bool automatic_;
};

// The stroke limit as a number of at least 1; above 30 it means every list there is.
std::optional<double> usableLimit(std::u16string_view text) {
    const std::optional<double> limit = leadingNumber(text);
    if (!limit || *limit < 1)
        return std::nullopt;
    return std::min(*limit, static_cast<double>(kMaxStrokeLimit));
}

// Index (from 0) that a draw r picks among size items.
std::size_t pick(std::size_t size, float r) {
    return static_cast<std::size_t>(static_cast<double>(size) * static_cast<double>(r));
}

}  // namespace

std::u16string_view messageOf(RunOutcome outcome) noexcept {
    switch (outcome) {
        case RunOutcome::accepted:
            return {};
        case RunOutcome::timedOut:
            return kTimeOutMessage;
        case RunOutcome::prefixTooLong:
            return kPrefixTooLongMessage;
        case RunOutcome::badLimit:
            return kBadLimitMessage;
        case RunOutcome::tooMany:
            return kTooManyMessage;
    }
    return {};
}

NamingEngine::NamingEngine(Evaluator& evaluator, NamingPanel& panel, RandomSource& random,
                           PoolSource pools, const WordList& words, DrawRules rules)
    : evaluator_(evaluator),
      panel_(panel),
      random_(random),
      pools_(std::move(pools)),
      words_(words),
      rules_(std::move(rules)) {}

RunResult NamingEngine::run() {
    RunResult result;
    const std::u16string prefix = panel_.prefix();
    const std::u16string suffix = panel_.suffix();

    // Settings that cannot give a sensible run are refused before the main window is touched.
    if (prefix.size() > static_cast<std::size_t>(kMaxPrefixLength)) {
        result.outcome = RunOutcome::prefixTooLong;
        return result;
    }
    const double count = numberOf(panel_.countText());
    if (count > kMaxCharacterCount) {
        result.outcome = RunOutcome::tooMany;
        return result;
    }
    // The words and characters this prefix may take.
    const bool fitWords = rules_.words && count == 2 && panel_.词义Value() != 0;
    const std::u16string fittingFor = prefix + u'\n' + suffix;
    if (fitWords && (!fitting_ || fittingFor_ != fittingFor)) {
        fitting_ = rules_.words(words_, prefix, suffix);
        fittingFor_ = fittingFor;
    }
    const WordList& words = fitWords ? *fitting_ : words_;
    const PoolSource& pools = prefix.empty() && rules_.companyPools ? rules_.companyPools : pools_;
    evenLimit_ = pairLimit_ = 0;  // the pools of this run's kind are gathered anew
    const bool wordMode = count == 2 && panel_.词义Value() != 0 && !words.empty();
    if (!wordMode && count >= 1 && !usableLimit(panel_.limitText())) {
        result.outcome = RunOutcome::badLimit;
        return result;
    }

    NamingMode naming(evaluator_);
    prepare(prefix.size());
    panel_.show来自词(panel_.词义Visible() && panel_.词义Value() == 1);
    random_.reseed();

    for (;;) {
        if (result.attempts == kMaxAttempts) {
            result.outcome = RunOutcome::timedOut;
            result.name = evaluator_.text3();
            return result;
        }
        ++result.attempts;
        const double n = numberOf(panel_.countText());
        const bool pair = n == 2 && panel_.词义Value() != 0 && !words.empty();
        std::u16string generated;
        if (pair) {
            generated = drawPair(words, result);
            // A word is not chosen by its elements: a pair that lacks the wanted ones is cut
            // again from another word, as a character draw is drawn again.
            for (int redraw = 0; supplying() && redraw < kMaxRedraws && !bringsSupply(generated);
                 ++redraw) {
                generated = drawPair(words, result);
            }
        } else {
            const int wanted = static_cast<int>(n);
            const bool person = !prefix.empty();
            generated = drawGiven(pools, wanted, person);
            const bool redraws = rules_.fits || supplying();
            for (int redraw = 0;
                 redraws && redraw < kMaxRedraws && !drawFits(prefix, generated, suffix, wanted);
                 ++redraw) {
                generated = drawGiven(pools, wanted, person);
            }
        }
        const std::u16string candidate = prefix + generated + suffix;
        // The name box may already hold this text from before the run, analysed under other
        // settings; an unchanged text would not be analysed again.
        if (result.attempts == 1 && evaluator_.text3() == candidate)
            evaluator_.writeText3(u"");
        evaluator_.writeText3(candidate);
        if (acceptable())
            break;
    }

    result.outcome = RunOutcome::accepted;
    result.name = evaluator_.text3();
    evaluator_.set正在取名(false);
    evaluator_.press求全称属性();
    panel_.set属性(evaluator_.全称属性());
    evaluator_.show();
    return result;
}

void NamingEngine::prepare(std::size_t prefixLength) {
    evaluator_.set自动识别姓氏(false);
    if (prefixLength == 0) {
        evaluator_.select(NameOption::company);
        return;
    }
    evaluator_.set姓长度(static_cast<int>(prefixLength));
    evaluator_.select(NameOption::person);
    evaluator_.select(prefixLength == 1 ? NameOption::singleSurname : NameOption::doubleSurname);
}

std::u16string NamingEngine::drawCharacters(const PoolSource& pools, int count) {
    std::u16string g;
    for (int i = 1; i <= count; ++i) {
        const double limit = usableLimit(panel_.limitText()).value_or(1.0);
        if (rules_.evenly) {
            // Every character within the limit equally likely: the lists of few strokes hold
            // few name characters, which a stroke count drawn first would draw again and again.
            const int upTo = static_cast<int>(limit);
            if (upTo != evenLimit_) {
                evenPool_.clear();
                for (int n = 1; n <= upTo; ++n)
                    evenPool_ += pools(n);
                evenLimit_ = upTo;
            }
            const std::size_t k = pick(evenPool_.size(), random_.next());
            if (k < evenPool_.size())
                g += evenPool_[k];
            continue;
        }
        const int strokes = static_cast<int>(limit * static_cast<double>(random_.next())) + 1;
        const std::u16string pool = pools(strokes);
        const std::size_t k = pick(pool.size(), random_.next());
        if (k < pool.size())
            g += pool[k];
    }
    return g;
}

std::u16string NamingEngine::drawGiven(const PoolSource& pools, int count, bool person) {
    if (count == 2 && person && !rules_.pairs.empty()) {
        const int upTo = static_cast<int>(usableLimit(panel_.limitText()).value_or(1.0));
        if (upTo != pairLimit_) {
            std::u16string within;
            for (int n = 1; n <= upTo; ++n)
                within += pools(n);
            pairPool_.clear();
            // With wanted elements, only the pairs that bring them: the others would be drawn
            // again.
            for (std::size_t i = 0; i + 1 < rules_.pairs.size(); i += 2) {
                const std::u16string pair = rules_.pairs.substr(i, 2);
                if (within.find(pair[0]) != std::u16string::npos &&
                    within.find(pair[1]) != std::u16string::npos && bringsSupply(pair))
                    pairPool_ += pair;
            }
            pairLimit_ = upTo;
        }
        if (!pairPool_.empty() && random_.next() < kPairShare) {
            const std::size_t k = pick(pairPool_.size() / 2, random_.next());
            if (2 * k + 1 < pairPool_.size())
                return pairPool_.substr(2 * k, 2);
        }
    }
    return drawCharacters(pools, count);
}

std::u16string NamingEngine::drawPair(const WordList& words, RunResult& result) {
    const std::u16string_view w = words.draw(random_.next());
    std::size_t first = 0, second = 0;
    if (random_.next() > 0.5f) {
        if (random_.next() > 0.5f) {
            first = 0, second = 2;
        } else {
            first = 1, second = 3;
        }
    } else if (random_.next() > 0.5f) {
        first = 0, second = 1;
    } else {
        first = 2, second = 3;
    }
    panel_.set来自词(std::u16string(kFromWordPrefix) + std::u16string(w));
    result.word = std::u16string(w);
    return {w[first], w[second]};
}

bool NamingEngine::supplying() const {
    return !rules_.supply.empty() && rules_.attributeOf;
}

bool NamingEngine::drawFits(std::u16string_view prefix, std::u16string_view generated,
                            std::u16string_view suffix, int wanted) const {
    if (generated.size() != static_cast<std::size_t>(std::max(wanted, 0)))
        return false;
    if (rules_.fits && !rules_.fits(prefix, generated, suffix))
        return false;
    return bringsSupply(generated);
}

bool NamingEngine::bringsSupply(std::u16string_view generated) const {
    if (!supplying())
        return true;
    std::u16string attributes;
    for (const char16_t c : generated)
        attributes += rules_.attributeOf(c);
    const int could = static_cast<int>(std::min(rules_.supply.size(), generated.size()));
    return suppliedCount(rules_.supply, attributes) >= could;
}

bool NamingEngine::acceptable() const {
    if (evaluator_.isRed(GridBox::Text4))
        return false;
    if (evaluator_.公司名Selected())
        return true;
    if (evaluator_.isRed(GridBox::Text6) || evaluator_.isRed(GridBox::Text7))
        return false;
    // A two-character personal name always has 外格 2, which is unlucky; it is let pass.
    return !evaluator_.isRed(GridBox::Text8) || evaluator_.text3().size() == 2;
}

}  // namespace muwu
