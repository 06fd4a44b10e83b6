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

// Where the bad bytes of a decoding are, as messages about a file say it: "在字节偏移 N 处有无效的
// GBK 编码（共 M 处）". Empty when the bytes were all sound.
[[nodiscard]] std::string gbkDamageText(const GbkDecoded& decoded);

struct GbkEncoded {
    std::string bytes;
    // Characters GBK cannot hold; each was written as '?'.
    std::size_t unmappable = 0;
};

[[nodiscard]] GbkEncoded encodeGbk(std::u16string_view text);

// True when every character of text has a GBK form.
[[nodiscard]] bool gbkCanEncode(std::u16string_view text);

}  // namespace muwu
