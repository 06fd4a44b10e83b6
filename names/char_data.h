#pragma once
// Everything the analysis knows about single characters, from the data files in the program's
// folder: the 30 stroke lists, the two aligned code tables and the double-surname list.
//
// Each operation answers exactly as reading the files anew would. Contents are kept in memory and
// trusted only while the folder watch (or, without one, the file stamps) says they are unchanged.
#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_watch.h"

namespace muwu {

inline constexpr int kMaxStrokes = 30;

// File name of the stroke list for k strokes: 01画的字.txt … 09画的字.txt, 10画的字.txt …
// 30画的字.txt.
[[nodiscard]] std::u16string strokeListName(int k);

inline constexpr std::u16string_view kSimplifiedTableName = u"常用字码表.lib";
inline constexpr std::u16string_view kTraditionalTableName = u"繁体_常用字码表.lib";
inline constexpr std::u16string_view kDoubleSurnameListName = u"常见复姓表.txt";

struct StrokeInfo {
    int strokes = 0;           // 0: in no list
    std::u16string attribute;  // zero or one character
    friend bool operator==(const StrokeInfo&, const StrokeInfo&) = default;
};

// A data file that could not be used as it stands; reported once per distinct problem.
struct DataProblem {
    std::u16string file;  // file name, as in the folder
    std::string message;  // one line, UTF-8, for the user
};

enum class Caching { on, off };

class CharacterData {
  public:
    explicit CharacterData(std::filesystem::path folder, Caching caching = Caching::on);
    ~CharacterData();
    CharacterData(const CharacterData&) = delete;
    CharacterData& operator=(const CharacterData&) = delete;

    [[nodiscard]] const std::filesystem::path& folder() const noexcept { return folder_; }

    // Stroke lookup: the first list (1 to 30) with a line whose part after its first "：" holds
    // text; the attribute is the character after that line's first "“".
    [[nodiscard]] StrokeInfo strokes(std::u16string_view text);

    // Simplified to traditional. nullopt when text is not exactly one code unit (the caller keeps
    // what it had); the text itself when it is not in the simplified table.
    [[nodiscard]] std::optional<std::u16string> traditional(std::u16string_view text);

    // True when some line of the double-surname list begins with the first two units of name.
    [[nodiscard]] bool startsWithDoubleSurname(std::u16string_view name);

    // Candidate characters of list k: everything after the first "：" of each line, spaces removed.
    // Empty for k outside 1…30 or a list that cannot be read.
    [[nodiscard]] std::u16string strokePool(int k);

    // A number that changes whenever some file is to be read anew, so what is built from the
    // answers (a search pool) knows to build again. Without caching every call is a new one.
    [[nodiscard]] std::uint64_t revision();

    // Problems met since the last call, each reported once until the file is sound again.
    [[nodiscard]] std::vector<DataProblem> takeProblems();

    // While a batch is open, the files are checked for changes once, at its start. One analysis of
    // a name is one batch: it takes microseconds, far below any edit of a data file.
    class Batch {
      public:
        explicit Batch(CharacterData& data);
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

      private:
        CharacterData& data_;
    };

  private:
    struct File;
    struct StrokeIndex;
    struct TableIndex;
    struct SurnameIndex;

    void refresh();
    File& file(std::size_t id);
    const StrokeIndex& strokeIndex();
    const TableIndex& tableIndex();
    const SurnameIndex& surnameIndex();
    void load(File& f);

    std::filesystem::path folder_;
    Caching caching_;
    std::unique_ptr<FolderWatch> watch_;
    std::vector<std::unique_ptr<File>> files_;  // 0…29 lists, 30/31 tables, 32 surnames
    std::unique_ptr<StrokeIndex> strokeIndex_;
    std::unique_ptr<TableIndex> tableIndex_;
    std::unique_ptr<SurnameIndex> surnameIndex_;
    int batchDepth_ = 0;
    std::uint64_t revision_ = 0;
    std::vector<DataProblem> pending_;
    std::set<std::string> reported_;
};

}  // namespace muwu
