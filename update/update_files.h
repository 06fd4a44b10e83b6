#pragma once
// The update's working folder 下载目录.
#include <QString>

namespace muwu {

// The documents folder followed by "/沐梧取名器", created (a failure to create it is ignored;
// the transfer into it then fails and says so). documents is the documents folder the system
// folders report; when there is none, the platform's documents location is used, so the folder
// never lands at the root of the file system.
[[nodiscard]] QString makeDownloadFolder(const QString& documents);

}  // namespace muwu
