#include "platform/data_folder.h"

#include <system_error>

namespace muwu {

namespace {
// Any one list tells a data folder; the first is always shipped.
bool holdsData(const std::filesystem::path& dir) {
    std::error_code ec;
    return std::filesystem::is_regular_file(dir / "01画的字.txt", ec);
}
}  // namespace

std::filesystem::path programFolder() {
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec || exe.empty())
        return std::filesystem::current_path(ec);
    return exe.parent_path();
}

std::filesystem::path findDataFolder(const std::filesystem::path& programDir) {
    if (holdsData(programDir))
        return programDir;
    const std::filesystem::path installed = programDir.parent_path() / "share" / "muwu";
    if (holdsData(installed))
        return installed;
    return programDir;
}

}  // namespace muwu
