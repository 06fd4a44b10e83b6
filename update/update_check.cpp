#include "update/update_check.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDate>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>

#include <QScopeGuard>
#include "names/version.h"
#include "platform/ui_fonts.h"
#include "shell/settings_store.h"
#include "update/notice.h"
#include "update/update_files.h"
#include "update/version_compare.h"

namespace muwu {

namespace {

const QString kProductTitleText = QStringLiteral("《沐梧取名器》");
const QString kFailureNotice = QStringLiteral("链接网站失败，请稍后再尝试重新链接。");

QString qs(std::u16string_view s) {
    return QString::fromStdU16String(std::u16string(s));
}

QString appTitle() {
    return QString::fromStdU16String(applicationTitle());
}

// The hourglass for the length of the check; every way out of it gives the pointer back.
class WaitPointer {
  public:
    WaitPointer() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitPointer() { QGuiApplication::restoreOverrideCursor(); }
    WaitPointer(const WaitPointer&) = delete;
    WaitPointer& operator=(const WaitPointer&) = delete;
};

std::filesystem::path toPath(const QString& file) {
    return std::filesystem::path(QFile::encodeName(file).toStdString());
}

}  // namespace

UpdatePrompts messageBoxPrompts() {
    UpdatePrompts p;
    p.askYesNo = [](const QString& title, const QString& text) {
        QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No);
        box.setObjectName(QStringLiteral("获取新版本问题"));
        box.button(QMessageBox::Yes)->setText(QStringLiteral("是(&Y)"));
        box.button(QMessageBox::No)->setText(QStringLiteral("否(&N)"));
        return box.exec() == QMessageBox::Yes;
    };
    p.tell = [](const QString& title, const QString& text) {
        QMessageBox box(QMessageBox::Information, title, text, QMessageBox::Ok);
        box.setObjectName(QStringLiteral("获取新版本消息"));
        box.button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
        box.exec();
    };
    p.notice = [](const QString& text) { 显示提示(text); };
    return p;
}

UpdateCheck::UpdateCheck(UpdateCheckOptions options, QWidget* parent)
    : QWidget(parent), options_(std::move(options)) {
    if (!options_.prompts.askYesNo || !options_.prompts.tell || !options_.prompts.notice)
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
    options_.transfers().setSlowCount(0);
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
    return QString::fromStdString(options_.server) + QString::fromUtf8(path);
}

bool UpdateCheck::transferFailed() const {
    return options_.transfers().status() == QString::fromUtf8(kStatusFailed);
}

void UpdateCheck::store(const QString& section, const QString& key, const QString& value) const {
    SettingsStore(options_.settingsFile).setValue(section, key, value);
}

void UpdateCheck::endProgram() {
    ended_ = true;
    if (options_.endProgram)
        options_.endProgram();
    else
        QCoreApplication::exit(0);
}

void UpdateCheck::读产品列表Click() {
    TransferWindow& t = options_.transfers();
    t.setUrl(serverFile(kListFile));
    t.setFile(folder_ + QString::fromUtf8(kListFile));
    t.pressStart();
    if (transferFailed())
        return;
    list1_->clear();
    QFile f(folder_ + QString::fromUtf8(kListFile));
    if (!f.open(QIODevice::ReadOnly))
        return;
    for (const std::u16string& line : readProductList(f.readAll().toStdString()))
        list1_->addItem(QString::fromStdU16String(line));
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
    const WaitPointer wait;
    版本_->setText(options_.versionCaption ? options_.versionCaption() : QString());
    读产品列表_->click();

    std::optional<int> found;
    if (!transferFailed()) {
        for (int i = 0; i < list1_->count() && !found; ++i) {
            list1_->setCurrentRow(i);
            if (isProductLine(list1_->item(i)->text().toStdU16String()))
                found = i;
        }
    }
    if (!found) {
        options_.prompts.notice(kFailureNotice);
        endProgram();
        return;
    }
    const std::u16string line = list1_->item(*found)->text().toStdU16String();
    TransferWindow& t = options_.transfers();
    if (const auto size = listedSize(line))
        t.setExpectedSize(*size);
    store(QStringLiteral("获取新版本"), QStringLiteral("最后升级时间"),
          QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat));

    t.setUrl(serverFile(kPingFile));
    t.setFile(folder_ + QString::fromUtf8(kPingFile));
    t.pressStart();
    if (transferFailed())
        return;

    newVersion_ = qs(versionToken(line).value_or(u""));
    digest_ = listedDigest(line);
    const QString current = 版本_->text().mid(3);
    if (serverIsNewer(current.toStdU16String(), newVersion_.toStdU16String())) {
        QCoreApplication::processEvents();
        const bool yes = options_.prompts.askYesNo(
            kProductTitleText, kProductTitleText + QStringLiteral("已经有新的版本，版本号为：“") +
                                   newVersion_ + QStringLiteral("”是否下载？"));
        if (!yes) {
            endProgram();
            return;
        }
        下载Click();
        return;
    }
    options_.prompts.tell(appTitle(), QStringLiteral("作者尚未发布新版本，您目前使用的“V") +
                                          current + QStringLiteral("”是最新的！"));
}

bool UpdateCheck::下载Click() {
    TransferWindow& t = options_.transfers();
    t.showWindow();
    const QString url =
        QString::fromStdString(options_.server) + u'/' + QString::fromUtf8(kInstallerFile);
    const auto length = t.contentLength(url);
    if (!length || *length < 0)
        return false;
    t.setExpectedSize(*length / 1024);
    const QString file = folder_ + u'/' + QString::fromUtf8(kInstallerFile);
    t.setUrl(url);
    t.setFile(file);
    store(QStringLiteral("下载窗衔接"), QStringLiteral("新版本号"), newVersion_);
    t.pressStart();
    if (transferFailed())
        return false;

    // Only a whole installer, and when the list names its digest only the very file the maker
    // published, is ever started.
    const auto size = fileSize(file);
    if (!size || *size != *length) {
        QFile::remove(file);
        options_.prompts.tell(appTitle(),
                              QStringLiteral("新版本的安装程序没有下载完整，已经删除，没有安装。"));
        return false;
    }
    if (digest_.kind != ListedDigest::Kind::absent) {
        const auto sha = fileSha256(file);
        if (digest_.kind == ListedDigest::Kind::malformed || !sha || *sha != digest_.hex) {
            QFile::remove(file);
            options_.prompts.tell(appTitle(),
                                  QStringLiteral("下载的安装程序与服务器公布的 SHA-256 校验值不符，"
                                                 "已经删除，没有安装。"));
            return false;
        }
    }
    // The token already carries its marker, so it is not written twice (VV3.0.29).
    const QString shown = newVersion_.startsWith(u'V') ? newVersion_ : u'V' + newVersion_;
    options_.prompts.tell(appTitle(),
                          QStringLiteral("已经下载了新版本：") + shown +
                              QStringLiteral(",安装前请关闭《沐梧取名器》，现在安装！"));
    if (options_.openInstaller) {
        try {
            options_.openInstaller(toPath(file));
        } catch (...) {
            // The desktop's answer changes nothing: the program ends for the installer.
        }
    }
    endProgram();
    return true;
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
