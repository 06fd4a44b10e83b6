#pragma once
// The word list "4.lib": four-character words, one to a line, every line ended by a carriage
// return. A pair of characters for a name is cut out of a word drawn from it.
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace muwu {

inline constexpr std::u16string_view kWordListName = u"4.lib";
inline constexpr std::size_t kWordLength = 4;

class WordList {
  public:
    WordList() = default;
    explicit WordList(std::u16string text);

    // The whole text as read (词库文本).
    [[nodiscard]] const std::u16string& text() const noexcept { return text_; }
    // Lines that hold a word of exactly four characters.
    [[nodiscard]] std::size_t wordCount() const noexcept { return ends_.size(); }
    [[nodiscard]] bool empty() const noexcept { return ends_.empty(); }
    // The i-th word (from 0, below wordCount()).
    [[nodiscard]] std::u16string_view word(std::size_t i) const noexcept {
        return std::u16string_view(text_).substr(ends_[i] - kWordLength, kWordLength);
    }

    // The word of a draw r, 0 <= r < 1: start = int(length × r) + 1, then the four characters
    // before the first carriage return at or after start. A start beyond the last carriage
    // return goes round to the first word, and a line that is not a four-character word is
    // passed over for the next one, so every draw gives a whole word. Empty when there is none.
    [[nodiscard]] std::u16string_view draw(double r) const noexcept;

  private:
    std::u16string text_;
    std::vector<std::size_t> ends_;  // positions (from 0) of the CRs that end a usable word
};

enum class WordListStatus { ok, missing, unreadable, noWords };

struct WordListLoad {
    WordList words;
    WordListStatus status = WordListStatus::ok;
    std::string detail;  // why it could not be read, UTF-8
    std::string damage;  // bytes that were not GBK, for the user (UTF-8); empty when none
};

// Reads the file whole and decodes it from GBK.
[[nodiscard]] WordListLoad loadWordList(const std::filesystem::path& file);

// What the user is told when the list cannot serve; empty for a list that does.
[[nodiscard]] std::u16string wordListProblem(const WordListLoad& load);

}  // namespace muwu
