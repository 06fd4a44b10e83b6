#include "platform/gbk.h"

#include <iconv.h>

#include <bit>
#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace muwu {

namespace {

// One descriptor per direction and thread: iconv_open is costly, and descriptors are not shareable.
class Converter {
  public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
        if (cd_ == reinterpret_cast<iconv_t>(-1)) {
            throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
        }
    }
    ~Converter() { iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    iconv_t get() {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);  // back to the initial state
        return cd_;
    }

  private:
    iconv_t cd_;
};

// Little-endian UTF-16 is the host order on the machines we build for; checked at compile time.
static_assert(std::endian::native == std::endian::little);

}  // namespace

GbkDecoded decodeGbk(std::string_view bytes) {
    thread_local Converter converter("UTF-16LE", "GBK");
    GbkDecoded result;
    result.text.resize(bytes.size() + 1);
    iconv_t cd = converter.get();

    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    char* outStart = reinterpret_cast<char*>(result.text.data());
    char* out = outStart;
    std::size_t outLeft = result.text.size() * sizeof(char16_t);

    while (inLeft > 0) {
        const std::size_t rc = iconv(cd, &in, &inLeft, &out, &outLeft);
        if (rc != static_cast<std::size_t>(-1))
            break;
        if (errno == EILSEQ || errno == EINVAL) {
            const std::size_t offset = static_cast<std::size_t>(in - bytes.data());
            if (!result.firstBadOffset)
                result.firstBadOffset = offset;
            ++result.badSequences;
            const char16_t replacement = 0xFFFD;
            std::memcpy(out, &replacement, sizeof replacement);
            out += sizeof replacement;
            outLeft -= sizeof replacement;
            ++in;
            --inLeft;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        } else {
            // E2BIG cannot happen: every GBK byte yields at most one UTF-16 unit.
            break;
        }
    }
    result.text.resize(static_cast<std::size_t>(out - outStart) / sizeof(char16_t));
    return result;
}

GbkEncoded encodeGbk(std::u16string_view text) {
    thread_local Converter converter("GBK", "UTF-16LE");
    GbkEncoded result;
    result.bytes.resize(text.size() * 2 + 4);
    iconv_t cd = converter.get();

    char* in = reinterpret_cast<char*>(const_cast<char16_t*>(text.data()));
    std::size_t inLeft = text.size() * sizeof(char16_t);
    char* out = result.bytes.data();
    std::size_t outLeft = result.bytes.size();

    while (inLeft > 0) {
        const std::size_t rc = iconv(cd, &in, &inLeft, &out, &outLeft);
        if (rc != static_cast<std::size_t>(-1))
            break;
        if (errno == EILSEQ || errno == EINVAL) {
            ++result.unmappable;
            *out++ = '?';
            --outLeft;
            // Skip the whole offending character: a surrogate pair is two units.
            const auto unit = static_cast<char16_t>(static_cast<unsigned char>(in[0]) |
                                                    (static_cast<unsigned char>(in[1]) << 8));
            std::size_t skip = sizeof(char16_t);
            if (unit >= 0xD800 && unit <= 0xDBFF && inLeft >= 4) {
                const auto low = static_cast<char16_t>(static_cast<unsigned char>(in[2]) |
                                                       (static_cast<unsigned char>(in[3]) << 8));
                if (low >= 0xDC00 && low <= 0xDFFF)
                    skip = 2 * sizeof(char16_t);
            }
            in += skip;
            inLeft -= skip;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        } else {
            break;
        }
    }
    result.bytes.resize(static_cast<std::size_t>(out - result.bytes.data()));
    return result;
}

bool gbkCanEncode(std::u16string_view text) {
    return encodeGbk(text).unmappable == 0;
}

std::string gbkDamageText(const GbkDecoded& decoded) {
    if (!decoded.firstBadOffset)
        return {};
    return "在字节偏移 " + std::to_string(*decoded.firstBadOffset) + " 处有无效的 GBK 编码（共 " +
           std::to_string(decoded.badSequences) + " 处）";
}

}  // namespace muwu
