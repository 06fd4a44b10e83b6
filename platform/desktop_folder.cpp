#include "platform/desktop_folder.h"

#include <cstdlib>

#include "platform/data_file.h"

namespace muwu {

std::optional<std::string> processEnvironment(const char* name) {
    if (const char* value = std::getenv(name))
        return std::string(value);
    return std::nullopt;
}

std::optional<std::string> userDirFromConfig(std::string_view configText, std::string_view key,
                                             std::string_view home) {
    const std::string prefix = "XDG_" + std::string(key) + "_DIR=";
    std::optional<std::string> result;
    std::size_t start = 0;
    while (start < configText.size()) {
        std::size_t end = configText.find('\n', start);
        if (end == std::string_view::npos)
            end = configText.size();
        std::string_view line = configText.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (!line.starts_with(prefix))
            continue;

        std::string_view value = line.substr(prefix.size());
        if (value.size() > 2 && value.front() == '"' && value.back() == '"') {
            value = value.substr(1, value.size() - 2);
        }
        std::string path;
        if (value.starts_with("$HOME")) {
            path = std::string(home) + std::string(value.substr(5));
        } else {
            path = std::string(value);
        }
        if (path.size() > 1 && path.back() == '/')
            path.pop_back();
        result = std::move(path);
    }
    return result;
}

DesktopLocation locateDesktop(const EnvironmentLookup& env) {
    DesktopLocation r;
    std::string home = env("HOME").value_or("");
    if (home.empty() || home.front() != '/') {
        r.problem = home.empty() ? "没有设置 HOME，找不到桌面文件夹。"
                                 : "HOME（“" + home + "”）不是绝对路径，找不到桌面文件夹。";
        return r;
    }
    if (home.size() > 1 && home.back() == '/')
        home.pop_back();

    std::string configHome = env("XDG_CONFIG_HOME").value_or("");
    if (configHome.empty() || configHome.front() != '/')
        configHome = home + "/.config";

    const std::filesystem::path config = std::filesystem::path(configHome) / "user-dirs.dirs";
    if (const FileRead read = readDataFile(config); read.status == FileReadStatus::ok) {
        if (std::optional<std::string> dir = userDirFromConfig(read.bytes, "DESKTOP", home)) {
            if (dir->empty() || dir->front() != '/') {
                r.problem = "“" + config.string() + "”中的 XDG_DESKTOP_DIR（“" + *dir +
                            "”）不是绝对路径，找不到桌面文件夹。";
                return r;
            }
            r.folder = *dir;
            return r;
        }
    }
    r.folder = std::filesystem::path(home) / "Desktop";
    return r;
}

std::filesystem::path desktopFolder(const EnvironmentLookup& env) {
    return locateDesktop(env).folder;
}

}  // namespace muwu
