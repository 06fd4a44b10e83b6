// Any content of the data files: the lookups must answer, and the cache must answer exactly as
// reading the files anew.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "names/char_data.h"
#include "names/main_form.h"
#include "platform/text.h"

namespace {

const std::filesystem::path& folder() {
    static const std::filesystem::path dir = [] {
        auto d =
            std::filesystem::temp_directory_path() / ("muwu-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(d);
        return d;
    }();
    return dir;
}

void put(const std::u16string& name, std::string_view bytes) {
    std::ofstream(folder() / muwu::toUtf8(name), std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The input is cut into the files by 0xFF 0x00 separators: lists 1…3, the two tables, the
    // surname list, then a name to analyse.
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    std::string parts[7];
    for (std::string& part : parts) {
        const std::size_t cut = rest.find(std::string_view("\xFF\x00", 2));
        part = std::string(rest.substr(0, cut));
        rest = cut == std::string_view::npos ? std::string_view() : rest.substr(cut + 2);
    }
    for (int k = 1; k <= muwu::kMaxStrokes; ++k)
        put(muwu::strokeListName(k), k <= 3 ? parts[k - 1] : "");
    put(std::u16string(muwu::kSimplifiedTableName), parts[3]);
    put(std::u16string(muwu::kTraditionalTableName), parts[4]);
    put(std::u16string(muwu::kDoubleSurnameListName), parts[5]);

    muwu::CharacterData cached(folder(), muwu::Caching::on);
    muwu::CharacterData fresh(folder(), muwu::Caching::off);
    const std::u16string name = muwu::fromUtf8(parts[6]);
    for (std::size_t i = 0; i <= name.size() && i < 8; ++i) {
        const std::u16string_view text = std::u16string_view(name).substr(0, i);
        if (cached.strokes(text) != fresh.strokes(text))
            std::abort();
        if (cached.traditional(text) != fresh.traditional(text))
            std::abort();
        if (cached.startsWithDoubleSurname(text) != fresh.startsWithDoubleSurname(text))
            std::abort();
    }
    for (int k = 0; k <= 4; ++k) {
        if (cached.strokePool(k) != fresh.strokePool(k))
            std::abort();
    }
    muwu::MainForm form(cached);
    form.load();
    form.setText3(name);
    if (form.姓长度 < 1 || form.姓长度 > 10)
        std::abort();
    (void)cached.takeProblems();
    return 0;
}
