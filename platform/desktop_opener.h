#pragma once
// The desktop's own opener for files (the shell's "open"), through Qt.
#include "platform/opener.h"

namespace muwu {

[[nodiscard]] FileOpener desktopOpener();

}  // namespace muwu
