#pragma once
// The name report: a snapshot of what the main window shows, as a GBK text file with CR LF after
// every line, written beside the user's other files on the desktop. Nothing is recomputed.
#include <array>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "names/main_form.h"

namespace muwu {

// Captions of the grid frames, which head their blocks in the report.
inline constexpr std::array<std::u16string_view, 4> kGridFrameCaptions = {
    u"天格：（由姓氏带来的运程“胎元、胎运”）",
    u"人格：（主运，影响人的一生）",
    u"地格：（地格代表其人下辈、子女、妻妾、根基；单独代表其人之根基；代表前运[前半生]）",
    u"外格：（代表外界、平辈、朋友、兄弟、姊妹之人际关系。代表副运。）",
};

// Rules after the captions: with them every personal heading is 102 bytes wide in GBK.
inline constexpr int kTotalRuleLength = 43;
inline constexpr std::array<int, 4> kGridRuleLengths = {31, 37, 10, 19};
inline constexpr std::u16string_view kRule = u"━";
inline constexpr std::u16string_view kClosingRule =
    u"━━━━━━━━━━━━━━━━━━本结果由《沐梧取名器》提供━━━━━━━━━━━━━━━━━━━━";

// The texts of the controls the report copies.
struct ReportFields {
    std::u16string name;                         // Text3
    std::u16string score;                        // 评分
    std::u16string totalCaption;                 // 总运板
    std::u16string totalText;                    // Text4, its CR LF kept
    bool company = false;                        // 公司名 selected: no grid blocks
    std::array<std::u16string, 4> gridCaptions;  // 天格板 … 外格板
    std::array<std::u16string, 4> gridTexts;     // Text5 … Text8
};

[[nodiscard]] ReportFields reportFieldsOf(const MainForm& form);

// The report's text, every line ended by CR LF; date is the short date the caller formats.
[[nodiscard]] std::u16string reportText(const ReportFields& fields, std::u16string_view date);

// 《name》姓名报告.txt
[[nodiscard]] std::u16string reportFileName(std::u16string_view name);

// The first character of name that a file name may not hold: \ / : * ? " < > | or a control
// character.
[[nodiscard]] std::optional<char16_t> forbiddenFileNameCharacter(std::u16string_view name) noexcept;

enum class ReportError {
    none,
    forbiddenCharacter,  // the name cannot be a file name
    noFolder,            // the desktop folder is unknown
    folderMissing,       // the folder does not exist or is no folder
    writeFailed,         // creating, writing or replacing the file failed
};

struct ReportResult {
    ReportError error = ReportError::none;
    std::filesystem::path file;  // the report, also when writing it failed
    std::string message;         // for the user, UTF-8; empty on success
    std::size_t unmappable = 0;  // characters GBK cannot hold, written as "?"
    [[nodiscard]] bool ok() const noexcept { return error == ReportError::none; }
};

// Writes the report into folder, replacing one of the same name. The bytes go to a temporary
// file beside it that is then renamed over the report, so a failure leaves either the old file
// or none, never a part of the new one.
[[nodiscard]] ReportResult writeReport(const std::filesystem::path& folder,
                                       const ReportFields& fields, std::u16string_view date);

}  // namespace muwu
