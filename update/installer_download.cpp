#include "update/installer_download.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>
#include <limits>
#include <optional>

#include "controls/progress_bar.h"
#include "platform/qt_text.h"
#include "shell/links.h"
#include "update/download_buttons.h"
#include "update/download_window.h"
#include "update/http_transfer.h"

namespace muwu {

QString installerReadyText(const QString& newVersion) {
    // The token carries its own marker ("V3.0.29"); the text puts a V before the number, so the
    // marker is not shown twice.
    const QString number = newVersion.isEmpty() ? newVersion : newVersion.mid(1);
    return QStringLiteral("已经下载了新版本：V") + number +
           QStringLiteral(",安装前请关闭《沐梧取名器》，现在安装！");
}

InstallerResult 下载(DownloadWindow& window, const InstallerDownload& request) {
    window.show();
    const QString name =
        QString::fromLatin1(kInstallerName.data(), static_cast<qsizetype>(kInstallerName.size()));
    const QString url =
        QString::fromStdString(pageAddress(request.server.toStdString(), kInstallerName));

    // The size: a GET whose headers are read and whose body is not.
    std::optional<qint64> length;
    {
        QNetworkAccessManager network;
        HttpTransfer probe(network, window.options().http);
        if (probe.open(url, {}) == HttpTransfer::Status::Data)
            length = probe.contentLength();
    }
    if (!length)
        return InstallerResult::NoSize;
    const qint64 kilobytes = *length / 1024;
    window.文件大小()->setText(QString::number(kilobytes));
    window.进度条()->setMax(static_cast<std::int32_t>(
        std::min<qint64>(kilobytes, std::numeric_limits<std::int32_t>::max())));

    const QString file = request.downloadFolder + QLatin1Char('/') + name;
    window.txtURL()->setText(url);
    window.txtFile()->setText(file);
    window.options().settings.setValue(qs(kHandOverSection), QStringLiteral("新版本号"),
                                       request.newVersion);

    window.cmdStart()->setValue(true);
    if (window.lblCount()->text() == qs(kOpenUrlFailed) ||
        window.lastOutcome() != DownloadWindow::Outcome::Complete)
        return InstallerResult::Failed;
    if (request.accept && !request.accept(window.txtFile()->text()))
        return InstallerResult::Rejected;

    const auto& options = window.options();
    if (options.prompts.message)
        options.prompts.message(&window, qs(kProgramName), installerReadyText(request.newVersion));
    if (request.openFile)
        request.openFile(QFile::encodeName(window.txtFile()->text()).toStdString());
    if (options.endProgram)
        options.endProgram();
    return InstallerResult::Started;
}

}  // namespace muwu
