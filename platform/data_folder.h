#pragma once
// Where the data files are: next to the program, as in the build tree and a portable copy, else in
// the installed share folder beside the program's bin folder.
#include <filesystem>

namespace muwu {

// Folder of the running executable (from /proc/self/exe); the working folder if that fails.
[[nodiscard]] std::filesystem::path programFolder();

[[nodiscard]] std::filesystem::path findDataFolder(const std::filesystem::path& programDir);

}  // namespace muwu
