#pragma once
// 下载: the installer download the update check runs when the user accepts a new version. It
// learns the installer's size from the server, lets the download window fetch it, and only when
// every byte arrived tells the user, starts the installer and ends the program.
#include <QString>
#include <functional>
#include <string_view>

#include "platform/opener.h"

namespace muwu {

class DownloadWindow;

inline constexpr std::string_view kInstallerName = "VAZUZ_EZ_Uzira.exe";

struct InstallerDownload {
    QString server;          // "http://host", no trailing slash needed
    QString downloadFolder;  // 下载目录
    QString newVersion;      // 新版本号: the version token with its marker, "V3.0.29"
    FileOpener openFile;     // starts the installer with the desktop's handler
    // Asked about the whole installer before anything is said or started; false rejects it
    // (the maker's digest does not match, say). Empty accepts every whole file.
    std::function<bool(const QString& file)> accept;
};

enum class InstallerResult {
    Started,   // the installer was started and the program ended
    NoSize,    // no usable "Content-Length" (or no answer): nothing fetched
    Failed,    // the transfer failed, was stopped or cut short: nothing started
    Rejected,  // whole, but refused by accept: nothing started
};

// The window shows the outcome; the program keeps running unless the installer was started.
InstallerResult 下载(DownloadWindow& window, const InstallerDownload& request);

// The message shown before the installer starts.
[[nodiscard]] QString installerReadyText(const QString& newVersion);

}  // namespace muwu
