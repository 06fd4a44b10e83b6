#include "update/product_list.h"

#include "platform/gbk.h"
#include "platform/text.h"

namespace muwu {

namespace {

constexpr std::u16string_view kSizeMarker = u"文件大小＝";
constexpr std::u16string_view kVersionMarker = u"版本";
constexpr std::u16string_view kDigestMarker = u"SHA256＝";
constexpr std::size_t kDigestLength = 64;

[[nodiscard]] constexpr bool isDigit(char16_t c) noexcept {
    return c >= u'0' && c <= u'9';
}

[[nodiscard]] constexpr bool isHex(char16_t c) noexcept {
    return isDigit(c) || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

// Blanks a hand-written list may put after the equals sign, the ideographic space included.
[[nodiscard]] constexpr bool isBlank(char16_t c) noexcept {
    return c == u' ' || c == u'\t' || c == u'\u3000';
}

}  // namespace

std::vector<std::u16string> splitListLines(std::u16string_view text) {
    std::vector<std::u16string> lines;
    forEachLine(text, [&](std::u16string_view l) { lines.emplace_back(l); });
    return lines;
}

std::vector<std::u16string> readProductList(std::string_view gbkBytes) {
    return splitListLines(decodeGbk(gbkBytes).text);
}

bool isProductLine(std::u16string_view line) noexcept {
    // The title ends with the first "》" of the line, so the line simply starts with it.
    return line.starts_with(kProductTitle);
}

std::optional<std::size_t> findProductLine(const std::vector<std::u16string>& lines) noexcept {
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (isProductLine(lines[i]))
            return i;
    return std::nullopt;
}

std::optional<long long> listedSize(std::u16string_view line) {
    const std::size_t at = line.find(kSizeMarker);
    if (at == std::u16string_view::npos)
        return std::nullopt;
    std::size_t i = at + kSizeMarker.size();
    while (i < line.size() && isBlank(line[i]))
        ++i;
    long long size = 0;
    for (; i < line.size() && isDigit(line[i]); ++i) {
        size = size * 10 + (line[i] - u'0');
        if (size > kMaxListedSize)
            size = kMaxListedSize;
    }
    return size;
}

std::optional<std::u16string> versionToken(std::u16string_view line) {
    const std::size_t at = line.find(kVersionMarker);
    if (at == std::u16string_view::npos)
        return std::nullopt;
    const std::size_t begin = at + kVersionMarker.size() + 1;  // past the one separator
    if (begin > line.size())
        return std::nullopt;
    const std::size_t end = line.find(u' ', begin);
    if (end == std::u16string_view::npos)
        return std::nullopt;
    return std::u16string(line.substr(begin, end - begin));
}

ListedDigest listedDigest(std::u16string_view line) {
    const std::size_t at = line.find(kDigestMarker);
    if (at == std::u16string_view::npos)
        return {};
    const std::u16string_view rest = line.substr(at + kDigestMarker.size());
    std::size_t n = 0;
    while (n < rest.size() && isHex(rest[n]))
        ++n;
    if (n != kDigestLength)
        return {ListedDigest::Kind::malformed, {}};
    ListedDigest d{ListedDigest::Kind::valid, {}};
    d.hex.reserve(kDigestLength);
    for (std::size_t i = 0; i < n; ++i) {
        const char16_t c = rest[i];
        d.hex.push_back(static_cast<char>(c >= u'A' && c <= u'F' ? c - u'A' + u'a' : c));
    }
    return d;
}

std::u16string downloadCaption(std::u16string_view entry) {
    const std::size_t last = entry.rfind(u'》');
    const std::u16string_view kept =
        last == std::u16string_view::npos ? entry : entry.substr(0, last + 1);
    return u"下载" + std::u16string(kept);
}

}  // namespace muwu
