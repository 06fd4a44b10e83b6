#pragma once
// The core's UTF-16 texts as Qt strings, unit for unit.
#include <QString>
#include <string_view>

namespace muwu {

[[nodiscard]] inline QString qs(std::u16string_view s) {
    return QString::fromUtf16(s.data(), static_cast<qsizetype>(s.size()));
}

}  // namespace muwu
