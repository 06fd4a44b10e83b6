// Decoding any bytes as GBK must not fail, and what decodes cleanly must encode back to text that
// decodes to the same characters.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/gbk.h"
#include "platform/text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const muwu::GbkDecoded decoded = muwu::decodeGbk(bytes);
    if (decoded.text.size() > size)
        std::abort();
    if (!decoded.firstBadOffset) {
        const muwu::GbkEncoded encoded = muwu::encodeGbk(decoded.text);
        if (encoded.unmappable != 0 || muwu::decodeGbk(encoded.bytes).text != decoded.text)
            std::abort();
    } else if (*decoded.firstBadOffset >= size) {
        std::abort();
    }
    // UTF-8 both ways, with invalid input.
    const std::u16string fromBytes = muwu::fromUtf8(bytes);
    if (muwu::fromUtf8(muwu::toUtf8(fromBytes)) != fromBytes)
        std::abort();
    return 0;
}
