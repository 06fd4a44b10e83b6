#pragma once
// 下载: the installer download the update check runs when the user accepts a new version. It
// learns the installer's size from the server, lets the download window fetch it, and only when
// every byte arrived and passed the checks (the size the product list gives, the SHA-256 when it
// gives one) tells the user, starts the installer and ends the program. A transfer the user
// starts again from the window after a stop ends the same way.
#include <QString>
#include <optional>
#include <string_view>

#include "platform/opener.h"
#include "update/download_window.h"
#include "update/product_list.h"

namespace muwu {

inline constexpr std::string_view kInstallerName = "VAZUZ_EZ_Uzira.exe";
// The largest installer taken when the product list gives no size.
inline constexpr qint64 kInstallerCeiling = qint64{256} << 20;

struct InstallerDownload {
    QString server;          // "http://host", no trailing slash needed
    QString downloadFolder;  // 下载目录
    QString newVersion;      // 新版本号: the version token with its marker, "V3.0.29"
    FileOpener openFile;     // starts the installer with the desktop's handler
    // "文件大小＝" of the product line, in kilobytes, when the line has one.
    std::optional<long long> listedKilobytes;
    // "SHA256＝" of the product line.
    ListedDigest digest;
};

enum class InstallerResult {
    Started,   // the installer was started and the program ended
    NoSize,    // no usable "Content-Length" (or no answer): nothing fetched
    Failed,    // the transfer failed, was stopped or cut short: nothing started
    Rejected,  // not of the listed size or digest: nothing started, the user told
};

// The window shows the outcome; the program keeps running unless the installer was started.
InstallerResult 下载(DownloadWindow& window, const InstallerDownload& request);

// What the installer must be: its size within the rounding of the listed kilobytes (else at most
// kInstallerCeiling), never empty, and of the listed SHA-256.
[[nodiscard]] TransferRule installerRule(const InstallerDownload& request);

// The message shown before the installer starts.
[[nodiscard]] QString installerReadyText(const QString& newVersion);

}  // namespace muwu
