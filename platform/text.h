#pragma once
// UTF-8 <-> UTF-16 for the edges of the core (command line, JSON, file names).
#include <string>
#include <string_view>

namespace muwu {

[[nodiscard]] constexpr bool isHighSurrogate(char16_t u) noexcept {
    return u >= 0xD800 && u <= 0xDBFF;
}
[[nodiscard]] constexpr bool isLowSurrogate(char16_t u) noexcept {
    return u >= 0xDC00 && u <= 0xDFFF;
}
[[nodiscard]] constexpr bool isSurrogate(char16_t u) noexcept {
    return u >= 0xD800 && u <= 0xDFFF;
}

// Lone surrogates become U+FFFD, so the output is always valid UTF-8.
[[nodiscard]] std::string toUtf8(std::u16string_view text);

// Invalid UTF-8 becomes U+FFFD, one per offending byte.
[[nodiscard]] std::u16string fromUtf8(std::string_view text);

// The bytes as they are when they are valid UTF-8, else with U+FFFD for each offending byte: for
// echoing paths and arguments, which may hold any bytes.
[[nodiscard]] std::string validUtf8(std::string_view bytes);

// Text safe to show on a terminal: valid UTF-8 (as validUtf8) with every control character (C0,
// DEL, C1) written as \uXXXX, so nothing in a name or an argument can act on the terminal.
[[nodiscard]] std::string printable(std::string_view bytes);
[[nodiscard]] std::string printable(std::u16string_view text);

// Splits at CR LF, lone CR and lone LF; a final line without an end is kept.
template <typename Callback>
void forEachLine(std::u16string_view text, Callback&& callback) {
    std::size_t start = 0;
    const std::size_t n = text.size();
    while (start < n) {
        std::size_t end = start;
        while (end < n && text[end] != u'\r' && text[end] != u'\n')
            ++end;
        callback(text.substr(start, end - start));
        if (end < n && text[end] == u'\r' && end + 1 < n && text[end + 1] == u'\n')
            ++end;
        start = end + 1;
    }
}

}  // namespace muwu
