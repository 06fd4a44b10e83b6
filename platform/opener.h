#pragma once
// Opens a file with the program the desktop associates with its kind. Callers ignore the outcome,
// as the shell's answer tells them nothing they could act on; tests pass a recorder instead.
#include <filesystem>
#include <functional>

namespace muwu {

using FileOpener = std::function<void(const std::filesystem::path& file)>;

}  // namespace muwu
