#pragma once
// The maker's product list "list.txt": GBK lines, one per product. This program's line carries
// its version token, optionally the installer's size in kilobytes and the installer's SHA-256.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace muwu {

// The text that opens this program's line.
inline constexpr std::u16string_view kProductTitle = u"《沐梧取名器》";

// Every line of the list, empty ones included, in file order. Lines end with CR LF; a lone CR
// or LF ends a line too, so a list saved with other line ends still reads. A final line end
// does not start another line, and an empty file has no lines.
[[nodiscard]] std::vector<std::u16string> splitListLines(std::u16string_view text);

// The list file's bytes (GBK) as its lines; bytes GBK cannot read become U+FFFD.
[[nodiscard]] std::vector<std::u16string> readProductList(std::string_view gbkBytes);

// This program's line: its text up to and including its first "》" is exactly 《沐梧取名器》.
[[nodiscard]] bool isProductLine(std::u16string_view line) noexcept;

// Index of the first line that is this program's line.
[[nodiscard]] std::optional<std::size_t> findProductLine(
    const std::vector<std::u16string>& lines) noexcept;

// The size after "文件大小＝": nullopt without the marker. Blanks after the marker are skipped,
// the decimal digits that follow are read, and no digits give 0. A size too large for any
// installer is capped at kMaxListedSize.
inline constexpr long long kMaxListedSize = 2'000'000'000;
[[nodiscard]] std::optional<long long> listedSize(std::u16string_view line);

// The version token: after the first "版本", one separator character, then everything up to the
// next space. nullopt when there is no "版本" or no space after the token.
[[nodiscard]] std::optional<std::u16string> versionToken(std::u16string_view line);

// The installer's SHA-256 announced by "SHA256＝".
struct ListedDigest {
    enum class Kind { absent, valid, malformed };
    Kind kind = Kind::absent;
    std::string hex;  // 64 lower-case hexadecimal digits when valid
};
// Absent without the marker; valid when exactly 64 hexadecimal digits follow it (a 65th digit
// makes it malformed); malformed otherwise.
[[nodiscard]] ListedDigest listedDigest(std::u16string_view line);

// The caption of 下载 for a selected entry: "下载" and the entry up to and including its last
// "》" (the whole entry when it has none).
[[nodiscard]] std::u16string downloadCaption(std::u16string_view entry);

}  // namespace muwu
