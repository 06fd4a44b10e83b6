#include "update/update_check.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDate>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QScopeGuard>

#include "controls/progress_bar.h"
#include "platform/qt_text.h"
#include "platform/ui_fonts.h"
#include "shell/links.h"
#include "shell/settings_store.h"
#include "update/download_buttons.h"
#include "update/download_window.h"
#include "update/installer_download.h"
#include "update/notice.h"
#include "update/update_files.h"
#include "update/version_compare.h"

namespace muwu {

namespace {

const QString kFailureNotice = QStringLiteral("链接网站失败，请稍后再尝试重新链接。");
const QString kWaitingNotice = QStringLiteral("正在连接更新服务器，检测新版本，请稍候……");

// The title of the update's message boxes, as the download window's own.
QString appTitle() {
    return qs(kProgramName);
}

}  // namespace

UpdateCheck::UpdateCheck(UpdateCheckOptions options, QWidget* parent)
    : QWidget(parent), options_(std::move(options)) {
    if (!options_.prompts.yesNo || !options_.prompts.message)
        options_.prompts = messageBoxPrompts();
    setObjectName(QStringLiteral("获取新版本"));
    setWindowTitle(QStringLiteral("获取新版本"));
    buildControls();
}

void UpdateCheck::buildControls() {
    setFont(songTi(9));
    // Never shown; the layout only keeps the controls apart for anyone who looks.
    const auto place = [](QWidget* w, int x, int y, int width, int height) {
        w->setGeometry(x, y, width, height);
    };
    const auto button = [&](const QString& name, int left, int top) {
        auto* b = new QPushButton(name, this);
        b->setObjectName(name);
        b->setAccessibleName(name);
        place(b, left, top, 81, 25);
        return b;
    };
    版本分析_ = button(QStringLiteral("版本分析"), 8, 216);
    读产品列表_ = button(QStringLiteral("读产品列表"), 97, 216);
    下载_ = button(QStringLiteral("下载"), 186, 216);
    label1_ = new QLabel(QStringLiteral("沐梧工作室的产品列表："), this);
    label1_->setObjectName(QStringLiteral("Label1"));
    place(label1_, 8, 8, 200, 17);
    list1_ = new QListWidget(this);
    list1_->setObjectName(QStringLiteral("List1"));
    list1_->setAccessibleName(QStringLiteral("沐梧工作室的产品列表"));
    place(list1_, 8, 28, 320, 180);
    版本_ = new QLabel(QStringLiteral("版本"), this);
    版本_->setObjectName(QStringLiteral("版本"));
    place(版本_, 220, 8, 108, 17);
    自动_ = new QCheckBox(QStringLiteral("自动"), this);
    自动_->setObjectName(QStringLiteral("自动"));
    自动_->setAccessibleName(QStringLiteral("自动"));
    place(自动_, 275, 216, 53, 25);
    底棒_ = new QLabel(this);
    底棒_->setObjectName(QStringLiteral("底棒"));
    底棒_->setAccessibleName(QStringLiteral("底棒"));
    底棒_->setStyleSheet(QStringLiteral("background: #2f6f5f;"));
    place(底棒_, 0, 248, 336, 8);
    resize(336, 256);

    connect(版本分析_, &QPushButton::clicked, this, [this] { 版本分析Click(); });
    connect(读产品列表_, &QPushButton::clicked, this, [this] { 读产品列表Click(); });
    connect(下载_, &QPushButton::clicked, this, [this] { 下载Click(); });
    connect(list1_, &QListWidget::currentRowChanged, this, [this](int row) { List1Selected(row); });
}

void UpdateCheck::load() {
    folder_ = makeDownloadFolder(options_.documentsFolder ? options_.documentsFolder() : QString());
    hide();
    transfers().setSlowCount(0);
    版本分析_->click();
}

void UpdateCheck::unload() {
    hide();
    if (running())
        unloadWhenDone_ = true;
    else
        deleteLater();
}

QString UpdateCheck::serverFile(const char* path) const {
    return QString::fromStdString(pageAddress(options_.server, path));
}

DownloadWindow& UpdateCheck::transfers() const {
    return options_.downloadWindow();
}

bool UpdateCheck::transfer(const char* path, TransferRule rule) {
    DownloadWindow& w = transfers();
    w.txtURL()->setText(serverFile(path));
    w.txtFile()->setText(folder_ + QString::fromUtf8(path));
    w.setTransferRule(std::move(rule));
    w.cmdStart()->setValue(true);
    return w.lblCount()->text() != qs(kOpenUrlFailed) &&
           w.lastOutcome() == DownloadWindow::Outcome::Complete;
}

void UpdateCheck::store(const QString& section, const QString& key, const QString& value) const {
    SettingsStore(options_.settingsFile).setValue(section, key, value);
}

void UpdateCheck::failureNotice(const QString& why) {
    显示提示(why.isEmpty() ? kFailureNotice
                           : kFailureNotice + QStringLiteral("\n（") + why + QStringLiteral("）"));
}

void UpdateCheck::读产品列表Click() {
    TransferRule rule;
    rule.most = kListLimit;
    if (!transfer(kListFile, std::move(rule)))
        return;
    list1_->clear();
    QFile f(folder_ + QString::fromUtf8(kListFile));
    if (!f.open(QIODevice::ReadOnly))
        return;
    // Never more than a list may hold, whatever lies there now.
    for (const std::u16string& line : readProductList(f.read(kListLimit).toStdString()))
        list1_->addItem(qs(line));
}

void UpdateCheck::List1Selected(int row) {
    if (const QListWidgetItem* item = list1_->item(row))
        下载_->setText(qs(downloadCaption(item->text().toStdU16String())));
}

void UpdateCheck::版本分析Click() {
    ++running_;
    // Whatever ended the check, an unload asked for meanwhile is carried out once it returns.
    const auto done = qScopeGuard([this] {
        if (--running_ == 0 && unloadWhenDone_)
            deleteLater();
    });
    // The hourglass for the length of the check; every way out of it gives the pointer back.
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const auto pointer = qScopeGuard([] { QGuiApplication::restoreOverrideCursor(); });
    版本_->setText(options_.versionCaption ? options_.versionCaption() : QString());

    // Something on the screen while the server is asked, with a way to give up; it goes before
    // anything else is said.
    NoticeWindow waiting(kWaitingNotice, nullptr, NoticeWindow::Kind::waiting);
    connect(&waiting, &QDialog::rejected, this, [this] {
        cancelled_ = true;
        if (transfers().transferRunning())
            transfers().cmdStop()->setValue(true);
    });
    waiting.show();

    读产品列表_->click();
    waiting.hide();
    if (cancelled_)
        return;

    std::optional<int> found;
    const bool fetched = transfers().lblCount()->text() != qs(kOpenUrlFailed) &&
                         transfers().lastOutcome() == DownloadWindow::Outcome::Complete;
    if (fetched) {
        for (int i = 0; i < list1_->count() && !found; ++i) {
            list1_->setCurrentRow(i);
            if (isProductLine(list1_->item(i)->text().toStdU16String()))
                found = i;
        }
    }
    if (!found) {
        // The program runs on: a check that failed costs the user nothing.
        failureNotice(fetched ? QString() : transfers().lastFailure());
        return;
    }
    const std::u16string line = list1_->item(*found)->text().toStdU16String();
    listedSize_ = listedSize(line);
    if (listedSize_) {
        transfers().文件大小()->setText(QString::number(*listedSize_));
        transfers().进度条()->setMax(static_cast<std::int32_t>(*listedSize_));
    }
    store(QStringLiteral("获取新版本"), QStringLiteral("最后升级时间"),
          QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat));

    // The ping's reply is of no use: a little of it is read and nothing is kept, not even what
    // an earlier version of the program stored.
    QFile::remove(folder_ + QString::fromUtf8(kPingFile));
    TransferRule ping;
    ping.most = kPingLimit;
    ping.enoughAtMost = true;
    ping.keep = false;
    waiting.show();
    const bool pinged = transfer(kPingFile, std::move(ping));
    waiting.hide();
    if (!pinged)
        return;

    newVersion_ = qs(versionToken(line).value_or(u""));
    digest_ = listedDigest(line);
    const QString current = 版本_->text().mid(3);
    if (serverIsNewer(current.toStdU16String(), newVersion_.toStdU16String())) {
        QCoreApplication::processEvents();
        const QString title = qs(kProductTitle);
        const bool yes =
            options_.prompts.yesNo(nullptr, title,
                                   title + QStringLiteral("已经有新的版本，版本号为：“") +
                                       newVersion_ + QStringLiteral("”是否下载？"));
        // No: the program runs on as it was.
        if (yes)
            下载Click();
        return;
    }
    options_.prompts.message(nullptr, appTitle(),
                             QStringLiteral("作者尚未发布新版本，您目前使用的“V") + current +
                                 QStringLiteral("”是最新的！"));
}

void UpdateCheck::下载Click() {
    InstallerDownload request;
    request.server = QString::fromStdString(options_.server);
    request.downloadFolder = folder_;
    request.newVersion = newVersion_;
    request.openFile = options_.openInstaller;
    request.listedKilobytes = listedSize_;
    request.digest = digest_;
    if (下载(transfers(), request) == InstallerResult::Started)
        ended_ = true;
}

UpdateChecks::~UpdateChecks() {
    delete current_.data();
}

void UpdateChecks::新版本检测() {
    if (current_)
        current_->unload();
    current_ = new UpdateCheck(options_());
    current_->load();
}

}  // namespace muwu
