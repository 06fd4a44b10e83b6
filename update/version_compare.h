#pragma once
// Whether the server offers a newer version than the one running. Versions are dotted decimal
// numbers compared component by component as numbers, so 3.0.3 < 3.0.28 < 3.0.29 < 3.1.
#include <optional>
#include <string_view>
#include <vector>

namespace muwu {

// The components of "3.0.28" as digit runs without leading zeros ("3", "0", "28"); nullopt when
// the text is not dotted decimal numbers (empty, a letter, an empty component).
[[nodiscard]] std::optional<std::vector<std::u16string_view>> versionComponents(
    std::u16string_view version);

// -1, 0 or 1 as a is below, equal to or above b. Missing components count as 0 (3.1 = 3.1.0).
// Numbers of any length compare correctly. nullopt when either is no version.
[[nodiscard]] std::optional<int> compareVersions(std::u16string_view a, std::u16string_view b);

// The server's token is a marker character (V) and the version. It is newer only when both
// versions read and the server's is strictly greater; an unreadable token is not newer.
[[nodiscard]] bool serverIsNewer(std::u16string_view current, std::u16string_view token);

}  // namespace muwu
