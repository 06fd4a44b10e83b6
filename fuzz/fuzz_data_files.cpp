// Any content of the data files, and anything standing in their place: the lookups must answer,
// the replacement character of undecodable bytes must never count as a character, and after each
// change to the folder the cache must answer exactly as reading the files anew.
//
// The input is cut into parts by 0xFF 0x00: the first six are lists 1…3, the two tables and the
// surname list, the seventh a name to look up; every further part is one change, its first byte
// the kind of change, its second the file changed, the rest its new content.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "names/char_data.h"
#include "names/main_form.h"
#include "platform/text.h"

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kSlots = 6;
constexpr std::size_t kMaxChanges = 8;

const fs::path& root() {
    static const fs::path dir = [] {
        auto d = fs::temp_directory_path() / ("muwu-fuzz-" + std::to_string(::getpid()));
        fs::create_directories(d / "data");
        return d;
    }();
    return dir;
}

fs::path folder() {
    return root() / "data";
}

std::u16string slotName(std::size_t slot) {
    switch (slot) {
        case 3:
            return std::u16string(muwu::kSimplifiedTableName);
        case 4:
            return std::u16string(muwu::kTraditionalTableName);
        case 5:
            return std::u16string(muwu::kDoubleSurnameListName);
        default:
            return muwu::strokeListName(static_cast<int>(slot) + 1);
    }
}

fs::path slotPath(std::size_t slot) {
    return folder() / muwu::toUtf8(slotName(slot));
}

// Never waits: a pipe in the file's place, or at the end of its link, takes no writer while it
// has no reader, so that write is not made, as an editor could not make it either.
void put(const fs::path& file, std::string_view bytes) {
    const int fd =
        ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NONBLOCK | O_CLOEXEC, 0600);
    if (fd < 0)
        return;
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    ::close(fd);
}

void clear(const fs::path& file) {
    std::error_code ec;
    fs::remove_all(file, ec);
}

// One change to the folder, as a user, an editor or a damaged disk might make it.
void change(std::uint8_t kind, std::size_t slot, std::string_view content) {
    const fs::path file = slotPath(slot);
    const fs::path other = slotPath(content.empty() ? 0 : std::uint8_t(content[0]) % kSlots);
    const fs::path outside = root() / ("outside" + std::to_string(slot));
    std::error_code ec;
    switch (kind % 8) {
        case 0:  // rewritten in place
            put(file, content);
            break;
        case 1:  // written beside and renamed over
            put(folder() / "new.tmp", content);
            fs::rename(folder() / "new.tmp", file, ec);
            break;
        case 2:  // a folder in its place
            clear(file);
            fs::create_directory(file, ec);
            break;
        case 3:  // a symbolic link to another data file
            clear(file);
            fs::create_symlink(other, file, ec);
            break;
        case 4:  // a hard link to another data file
            clear(file);
            fs::create_hard_link(other, file, ec);
            break;
        case 5:  // a link to a file elsewhere; a later rewrite in place edits that file
            clear(file);
            put(outside, content);
            fs::create_symlink(outside, file, ec);
            break;
        case 6:  // a named pipe or a device
            clear(file);
            if (content.empty() || content[0] % 2 == 0) {
                (void)::mkfifo(file.c_str(), 0600);
            } else {
                fs::create_symlink("/dev/zero", file, ec);
            }
            break;
        case 7:  // gone
            clear(file);
            break;
    }
}

void compare(muwu::CharacterData& cached, const std::u16string& name) {
    muwu::CharacterData fresh(folder(), muwu::Caching::off);
    for (std::size_t i = 0; i <= name.size() && i < 5; ++i) {
        const std::u16string_view text = std::u16string_view(name).substr(0, i);
        if (cached.strokes(text) != fresh.strokes(text))
            std::abort();
        if (cached.traditional(text) != fresh.traditional(text))
            std::abort();
        if (cached.startsWithDoubleSurname(text) != fresh.startsWithDoubleSurname(text))
            std::abort();
    }
    if (cached.strokes(u"\uFFFD").strokes != 0)
        std::abort();
    for (int k = 0; k <= 4; ++k) {
        const std::u16string pool = cached.strokePool(k);
        if (pool != fresh.strokePool(k) || pool.find(u'\uFFFD') != std::u16string::npos)
            std::abort();
    }
    (void)cached.takeProblems();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> parts;
    while (!rest.empty() && parts.size() < kSlots + 1 + kMaxChanges) {
        const std::size_t cut = rest.find(std::string_view("\xFF\x00", 2));
        parts.emplace_back(rest.substr(0, cut));
        rest = cut == std::string_view::npos ? std::string_view() : rest.substr(cut + 2);
    }
    parts.resize(std::max(parts.size(), kSlots + 1));

    // One cached instance serves every input, as one long session of the program would: it has
    // to follow each input's files as they are written over the last input's.
    static muwu::CharacterData cached = [] {
        for (int k = 4; k <= muwu::kMaxStrokes; ++k)
            put(folder() / muwu::toUtf8(muwu::strokeListName(k)), "");
        return muwu::CharacterData(folder(), muwu::Caching::on);
    }();
    for (std::size_t slot = 0; slot < kSlots; ++slot) {
        struct stat st {};
        const fs::path file = slotPath(slot);
        if (::lstat(file.c_str(), &st) == 0 && (!S_ISREG(st.st_mode) || st.st_nlink > 1))
            clear(file);
        put(file, parts[slot]);
    }

    const std::u16string name = muwu::fromUtf8(parts[kSlots]);
    compare(cached, name);
    for (std::size_t i = kSlots + 1; i < parts.size(); ++i) {
        const std::string& step = parts[i];
        if (step.size() < 2)
            continue;
        change(std::uint8_t(step[0]), std::uint8_t(step[1]) % kSlots,
               std::string_view(step).substr(2));
        compare(cached, name);
    }

    muwu::MainForm form(cached);
    form.load();
    form.setText3(name);
    if (form.姓长度 < 1 || form.姓长度 > 10)
        std::abort();
    (void)cached.takeProblems();
    return 0;
}
