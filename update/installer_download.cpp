#include "update/installer_download.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>
#include <limits>
#include <memory>
#include <optional>

#include "controls/progress_bar.h"
#include "platform/qt_text.h"
#include "shell/links.h"
#include "update/download_buttons.h"
#include "update/http_transfer.h"

namespace muwu {

namespace {

const QString kDigestRefused =
    QStringLiteral("下载的安装程序与服务器公布的 SHA-256 校验值不符，已经删除，没有安装。");

QString sizeRefused(const InstallerDownload& request, const QString& why) {
    const QString listed = request.listedKilobytes
                               ? QStringLiteral("（%1 KB）").arg(*request.listedKilobytes)
                               : QString();
    return QStringLiteral("下载的安装程序与产品列表公布的大小") + listed +
           QStringLiteral("不符：") + why + QStringLiteral("。没有安装。");
}

// What follows a transfer of the installer started by 开始: the start of a verified installer and
// the end of the program, or a word on why nothing was installed.
void afterInstallerTransfer(DownloadWindow& window, TransferOutcome outcome,
                            const InstallerDownload& request, InstallerResult& result) {
    const auto& options = window.options();
    const auto tell = [&](const QString& text) {
        if (options.prompts.message)
            options.prompts.message(&window, qs(kProgramName), text);
    };
    switch (outcome) {
        case TransferOutcome::Complete:
            break;
        case TransferOutcome::WrongSize:
            result = InstallerResult::Rejected;
            tell(sizeRefused(request, window.lastFailure()));
            return;
        case TransferOutcome::WrongDigest:
            result = InstallerResult::Rejected;
            tell(kDigestRefused);
            return;
        default:
            result = InstallerResult::Failed;
            return;
    }
    tell(installerReadyText(request.newVersion));
    if (request.openFile)
        request.openFile(QFile::encodeName(window.txtFile()->text()).toStdString());
    result = InstallerResult::Started;
    if (options.endProgram)
        options.endProgram();
}

}  // namespace

QString installerReadyText(const QString& newVersion) {
    // The token carries its own marker ("V3.0.29"); the text puts a V before the number, so the
    // marker is not shown twice.
    const QString number = newVersion.isEmpty() ? newVersion : newVersion.mid(1);
    return QStringLiteral("已经下载了新版本：V") + number +
           QStringLiteral(",安装前请关闭《沐梧取名器》，现在安装！");
}

TransferRule installerRule(const InstallerDownload& request) {
    TransferRule rule;
    rule.least = 1;
    rule.most = kInstallerCeiling;
    if (request.listedKilobytes) {
        // The list's kilobytes may be rounded down, up or to the nearest: any size less than a
        // kilobyte away from them is the listed one.
        const qint64 k = *request.listedKilobytes;
        rule.least = std::max<qint64>(1, (k - 1) * 1024 + 1);
        rule.most = (k + 1) * 1024 - 1;
    }
    switch (request.digest.kind) {
        case ListedDigest::Kind::absent:
            break;
        case ListedDigest::Kind::valid:
            rule.sha256 = QByteArray::fromStdString(request.digest.hex);
            break;
        case ListedDigest::Kind::malformed:
            rule.sha256 = QByteArray();  // matches nothing: only the very file published runs
            break;
    }
    return rule;
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
    window.版本号()->setText(QStringLiteral("版本号：") + request.newVersion);
    window.options().settings.setValue(qs(kHandOverSection), QStringLiteral("新版本号"),
                                       request.newVersion);

    // The outcome of the transfer pressed here; one the user starts later ends the same way.
    auto result = std::make_shared<InstallerResult>(InstallerResult::Failed);
    TransferRule rule = installerRule(request);
    rule.afterTransfer = [request, result](DownloadWindow& w, TransferOutcome outcome) {
        afterInstallerTransfer(w, outcome, request, *result);
    };
    window.setTransferRule(std::move(rule));
    window.cmdStart()->setValue(true);
    return *result;
}

}  // namespace muwu
