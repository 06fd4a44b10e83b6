#pragma once
// The naming engine: draws characters, or a pair out of a four-character word, puts the prefix
// before and the suffix after them, and lets the main window's analysis judge the candidate, at
// most 32 times a run. It computes no grid itself; whatever analyses the name is its evaluator.
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "naming/random_source.h"
#include "naming/word_list.h"

namespace muwu {

inline constexpr int kMaxAttempts = 32;
// The surname-length range of the main window and the entries of the naming window's combos.
inline constexpr int kMaxPrefixLength = 10;
inline constexpr int kMaxCharacterCount = 22;
inline constexpr int kMaxStrokeLimit = 30;

inline constexpr std::u16string_view kTimeOutMessage = u"运转超时！请适当的提高笔画复杂程度。";
inline constexpr std::u16string_view kPrefixTooLongMessage =
    u"前缀（姓）最多 10 个字：主窗口的姓长度只到 10。";
inline constexpr std::u16string_view kBadLimitMessage =
    u"复杂程度（笔画数）请填写 1 到 30 之间的数。";
inline constexpr std::u16string_view kTooManyMessage = u"自动取字的个数最多为 22。";
inline constexpr std::u16string_view kFromWordPrefix = u"来自：";

// The grid boxes the acceptance tests look at.
enum class GridBox { Text4, Text6, Text7, Text8 };
enum class NameOption { person, company, singleSurname, doubleSurname };

// The main window as the engine sees it. Writes run the window's handlers as a user's change
// does, before they return.
class Evaluator {
  public:
    virtual ~Evaluator() = default;
    // Must not fail: it is what returns the window to normal after a run, however it ended.
    virtual void set正在取名(bool running) noexcept = 0;
    virtual void set自动识别姓氏(bool ticked) = 0;
    [[nodiscard]] virtual bool 自动识别姓氏() const = 0;
    // Puts the tick back without analysing the name again. Must not fail, as set正在取名.
    virtual void restore自动识别姓氏(bool ticked) noexcept = 0;
    virtual void set姓长度(int length) = 0;
    // Changes the selection only, as selecting an option from code does.
    virtual void select(NameOption option) = 0;
    virtual void writeText3(std::u16string_view name) = 0;  // runs the whole analysis
    [[nodiscard]] virtual std::u16string text3() const = 0;
    [[nodiscard]] virtual bool isRed(GridBox box) const = 0;
    [[nodiscard]] virtual bool 公司名Selected() const = 0;
    virtual void press求全称属性() = 0;
    [[nodiscard]] virtual std::u16string 全称属性() const = 0;
    // Brings the main window, with the accepted name, into view.
    virtual void show() = 0;
};

// The naming window's controls that the engine reads and writes.
class NamingPanel {
  public:
    virtual ~NamingPanel() = default;
    [[nodiscard]] virtual std::u16string prefix() const = 0;     // Text1
    [[nodiscard]] virtual std::u16string suffix() const = 0;     // Text2
    [[nodiscard]] virtual std::u16string countText() const = 0;  // 求的字数
    [[nodiscard]] virtual std::u16string limitText() const = 0;  // 字复杂程度
    [[nodiscard]] virtual int 词义Value() const = 0;             // 0 unticked, 1 ticked, 2 grey
    [[nodiscard]] virtual bool 词义Visible() const = 0;
    virtual void show来自词(bool visible) = 0;  // and repaint, since the run will not yield
    virtual void set来自词(std::u16string_view caption) = 0;
    virtual void set属性(std::u16string_view caption) = 0;
};

// Candidate characters of the stroke list for n strokes (1…30).
using PoolSource = std::function<std::u16string(int strokes)>;

// How many times a candidate is drawn again when the draw rules refuse it, before it is taken
// as it is.
inline constexpr int kMaxRedraws = 64;

// What a run may propose beyond the plain lists, for the prefix and suffix of that run. Each
// part left empty changes nothing.
struct DrawRules {
    // The pools when the prefix is empty (a company's name); the engine's own pools otherwise.
    PoolSource companyPools;
    // Whether a generated part may stand; a character draw it refuses, or one that came out
    // short of an empty pool, is drawn again.
    std::function<bool(std::u16string_view prefix, std::u16string_view generated,
                       std::u16string_view suffix)>
        fits;
    // The words a pair may be cut from; none left means character mode.
    std::function<WordList(const WordList& words, std::u16string_view prefix,
                           std::u16string_view suffix)>
        words;
    // Each character drawn evenly from all the pools within the stroke limit (one draw a
    // character) rather than a stroke count first and then a character of it.
    bool evenly = false;
    // The elements the drawn characters should bring (金木水火土, none twice; empty: none
    // wanted). A character draw bringing fewer of them than it could (as many as it has
    // characters, at most all wanted) is drawn again, as one fits refuses; so is a pair cut
    // from a word, from another word, within the same bound.
    std::u16string supply;
    // A character's attribute (五行) as the stroke lists give it; supply needs it.
    std::function<std::u16string(char16_t)> attributeOf;
    // Two-character given names that go together, two characters each (tableDrawRules: the
    // editors' list, as the options admit it). A character draw of two for a surname takes one
    // of those whose characters are both in the pools within the stroke limit kPairShare of the
    // time, and two characters drawn one by one otherwise.
    std::u16string pairs;
};

inline constexpr float kPairShare = 0.5f;

enum class RunOutcome {
    accepted,
    timedOut,
    prefixTooLong,  // the run did not start: nothing in the main window was touched
    badLimit,
    tooMany,
};

struct RunResult {
    RunOutcome outcome = RunOutcome::timedOut;
    int attempts = 0;     // candidates written
    std::u16string name;  // the accepted or last rejected name, as the main window holds it
    std::optional<std::u16string> word;  // the last word drawn, in word mode
};

// The message a run's end calls for; empty for an accepted name.
[[nodiscard]] std::u16string_view messageOf(RunOutcome outcome) noexcept;

class NamingEngine {
  public:
    // words may be empty; word mode then gives way to character mode.
    NamingEngine(Evaluator& evaluator, NamingPanel& panel, RandomSource& random, PoolSource pools,
                 const WordList& words, DrawRules rules = {});

    // One press of 求名. 正在取名 is false again when it returns or throws.
    RunResult run();

  private:
    void prepare(std::size_t prefixLength);
    std::u16string drawCharacters(const PoolSource& pools, int count);
    // A listed pair (DrawRules::pairs) or characters drawn one by one.
    std::u16string drawGiven(const PoolSource& pools, int count, bool person);
    std::u16string drawPair(const WordList& words, RunResult& result);
    [[nodiscard]] bool acceptable() const;
    [[nodiscard]] bool supplying() const;
    // Whether the generated characters bring as many wanted elements as they could.
    [[nodiscard]] bool bringsSupply(std::u16string_view generated) const;
    [[nodiscard]] bool drawFits(std::u16string_view prefix, std::u16string_view generated,
                                std::u16string_view suffix, int wanted) const;

    Evaluator& evaluator_;
    NamingPanel& panel_;
    RandomSource& random_;
    PoolSource pools_;
    const WordList& words_;
    DrawRules rules_;
    std::u16string evenPool_;  // every pool within evenLimit_ strokes, for even draws
    int evenLimit_ = 0;
    std::u16string pairPool_;  // the pairs whose characters are within pairLimit_ strokes
    int pairLimit_ = 0;
    // The words the rules left for the last prefix and suffix, kept for the runs that follow.
    std::optional<WordList> fitting_;
    std::u16string fittingFor_;
};

}  // namespace muwu
