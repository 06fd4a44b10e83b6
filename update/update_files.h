#pragma once
// The update's working folder 下载目录 and what the update asks of the files landing in it.
#include <QString>
#include <optional>
#include <string>

namespace muwu {

// The documents folder followed by "/沐梧取名器", created (a failure to create it is ignored;
// the transfer into it then fails and says so). documents is the documents folder the system
// folders report; when there is none, the platform's documents location is used, so the folder
// never lands at the root of the file system.
[[nodiscard]] QString makeDownloadFolder(const QString& documents);

// The file's SHA-256 as 64 lower-case hexadecimal digits; nullopt when it cannot be read.
[[nodiscard]] std::optional<std::string> fileSha256(const QString& file);

}  // namespace muwu
