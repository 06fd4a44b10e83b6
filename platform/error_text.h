#pragma once
// The system's reason for a failure, for messages to the user: the C library's text in Chinese
// where the system has the zh_CN locale, else the error's symbolic name (e.g. "ENOSPC").
#include <string>

namespace muwu {

[[nodiscard]] std::string systemErrorText(int error);

}  // namespace muwu
