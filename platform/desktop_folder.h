#pragma once
// The user's desktop folder by the freedesktop user-dirs rule, answered without Qt so the command
// line finds the same folder the window does: XDG_DESKTOP_DIR from user-dirs.dirs in the config
// home, else ~/Desktop. Whether the folder exists is the caller's question.
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace muwu {

// Value of an environment variable, nullopt when unset.
using EnvironmentLookup = std::function<std::optional<std::string>(const char* name)>;

[[nodiscard]] std::optional<std::string> processEnvironment(const char* name);

// The folder that line XDG_<key>_DIR of a user-dirs.dirs text names, as Qt reads it: the last
// such line wins, surrounding quotes go, a leading $HOME becomes home, a trailing "/" is dropped.
[[nodiscard]] std::optional<std::string> userDirFromConfig(std::string_view configText,
                                                           std::string_view key,
                                                           std::string_view home);

struct DesktopLocation {
    std::filesystem::path folder;  // empty when it cannot be known
    std::string problem;           // why not, one sentence for the user (UTF-8)
};

// Without a usable HOME (unset, empty or relative) or with a relative XDG_DESKTOP_DIR there is no
// desktop folder to speak of: that is said, rather than writing to "/Desktop" or the working
// folder.
[[nodiscard]] DesktopLocation locateDesktop(const EnvironmentLookup& env = processEnvironment);

// The folder of locateDesktop; empty when it cannot be known.
[[nodiscard]] std::filesystem::path desktopFolder(
    const EnvironmentLookup& env = processEnvironment);

}  // namespace muwu
