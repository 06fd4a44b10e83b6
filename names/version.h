#pragma once
// The program's version, 3.00.0028, shown as major.minor.revision without leading zeros.
#include <string>

namespace muwu {

inline constexpr int kVersionMajor = 3;
inline constexpr int kVersionMinor = 0;
inline constexpr int kVersionRevision = 28;

[[nodiscard]] inline std::string versionText() {
    return std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor) + "." +
           std::to_string(kVersionRevision);
}

[[nodiscard]] inline std::u16string versionText16() {
    const std::string v = versionText();
    return std::u16string(v.begin(), v.end());
}

// Window title of the main window and title of the application's message boxes.
[[nodiscard]] inline std::u16string applicationTitle() {
    return u"沐梧取名器 V" + versionText16();
}

}  // namespace muwu
