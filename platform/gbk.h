#pragma once
// GBK (code page 936) <-> UTF-16 through the C library's iconv.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace muwu {

struct GbkDecoded {
    std::u16string text;
    // Byte offset of the first invalid or truncated sequence, if any; each bad byte decodes to
    // U+FFFD so the valid rest of the file still serves.
    std::optional<std::size_t> firstBadOffset;
    std::size_t badSequences = 0;
};

[[nodiscard]] GbkDecoded decodeGbk(std::string_view bytes);

struct GbkEncoded {
    std::string bytes;
    // Characters GBK cannot hold; each was written as '?'.
    std::size_t unmappable = 0;
};

[[nodiscard]] GbkEncoded encodeGbk(std::u16string_view text);

// True when every character of text has a GBK form.
[[nodiscard]] bool gbkCanEncode(std::u16string_view text);

}  // namespace muwu
