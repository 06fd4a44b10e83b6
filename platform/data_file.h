#pragma once
// Reads one data file whole, and only when it is a regular file of sane size: a folder, a pipe, a
// socket or a device in its place is refused without waiting or reading, so a damaged data folder
// can never hang the program or fill its memory.
#include <cstddef>
#include <filesystem>
#include <string>

#include "platform/file_watch.h"

namespace muwu {

inline constexpr std::size_t kMaxDataFileBytes = std::size_t{64} << 20;

enum class FileReadStatus { ok, missing, notRegular, tooLarge, failed };

struct FileRead {
    FileReadStatus status = FileReadStatus::missing;
    std::string bytes;
    FileStamp stamp;       // of the file actually read (or refused)
    bool viaLink = false;  // the path itself is a symbolic link
    int error = 0;         // errno, for missing and failed
    std::string kind;      // what stands there instead of a file, for notRegular: "文件夹" …

    // One line for the user naming file, empty when the read succeeded; what follows the
    // file's name, e.g. "是一个文件夹，不是普通文件".
    [[nodiscard]] std::string problem() const;
};

[[nodiscard]] FileRead readDataFile(const std::filesystem::path& file,
                                    std::size_t limit = kMaxDataFileBytes);

}  // namespace muwu
