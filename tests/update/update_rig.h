#pragma once
// What the update check tests share: one machine running the program against a real HTTP server
// on the loopback interface, with its boxes answered, and the servers and files the cases need.
#include <QAction>
#include <QApplication>
#include <QCryptographicHash>
#include <QFile>
#include <QMenu>
#include <QTemporaryDir>
#include <QUrl>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include "platform/gbk.h"
#include "shell/cover.h"
#include "shell/link_actions.h"
#include "shell/menu_window.h"
#include "shell/settings_store.h"
#include "tests/support/recording_opener.h"
#include "tests/update/box_answerer.h"
#include "tests/update/update_server.h"
#include "update/download_window.h"
#include "update/notice.h"
#include "update/update_check.h"

namespace muwu::test {

inline const QString kQuestion = QStringLiteral("获取新版本问题");
inline const QString kMessage = QStringLiteral("获取新版本消息");
inline const QString kNotice = QStringLiteral("提示窗");
inline const QString kFailure = QStringLiteral("链接网站失败，请稍后再尝试重新链接。");
inline const QString kAppTitle = QStringLiteral("沐梧取名器");

// A list in the maker's form: GBK, CR LF, another product before ours.
inline std::string listOf(std::initializer_list<std::u16string_view> lines) {
    std::u16string text;
    for (std::u16string_view l : lines)
        text += std::u16string(l) + u"\r\n";
    return encodeGbk(text).bytes;
}

inline std::string installerBytes(std::size_t n = 5000) {
    std::string bytes(n, '\0');
    for (std::size_t i = 0; i < n; ++i)
        bytes[i] = static_cast<char>((i * 131 + 7) % 251);
    return bytes;
}

inline QString sha256Of(const std::string& bytes) {
    return QString::fromLatin1(
        QCryptographicHash::hash(QByteArray::fromStdString(bytes), QCryptographicHash::Sha256)
            .toHex());
}

// A server that takes the connection and never answers.
class SilentServer {
  public:
    SilentServer() : fd_(::socket(AF_INET, SOCK_STREAM, 0)) {
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t len = sizeof a;
        if (::bind(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 && ::listen(fd_, 4) == 0 &&
            ::getsockname(fd_, reinterpret_cast<sockaddr*>(&a), &len) == 0)
            port_ = ntohs(a.sin_port);
    }
    ~SilentServer() { ::close(fd_); }
    SilentServer(const SilentServer&) = delete;
    SilentServer& operator=(const SilentServer&) = delete;
    [[nodiscard]] std::string address() const {
        return "http://127.0.0.1:" + std::to_string(port_);
    }

  private:
    int fd_;
    int port_ = 0;
};

// The notice shown while the check waits, when it is on the screen.
inline NoticeWindow* shownWaitNotice() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QStringLiteral("等待提示窗") && w->isVisible())
            return static_cast<NoticeWindow*>(w);
    return nullptr;
}

// One machine running the program: its settings, documents folder, cover, menu and update
// server, with the installer's opener and the program's end recorded.
class Rig {
  public:
    Rig()
        : links_(
              std::filesystem::path(QFile::encodeName(dir_.path()).toStdString()),
              "http://site.test", [](const QUrl&) {}, SettingsStore(settingsFile())),
          cover_(links_),
          menu_(links_),
          windows_([this] { return windowOptions(); }),
          checks_([this] { return options(); }) {
        menu_.setUpdateCheck([this] { checks_.新版本检测(); });
        server.put("/RUVEV_VizIvu_count.asp", "count=1");
        server.put("/VAZUZ_EZ_Uzira.exe", installer);
    }

    // Chooses 新版本检测 in the help menu.
    void run() {
        for (QAction* a : menu_.帮助()->actions())
            if (a->objectName() == QStringLiteral("新版本检测"))
                a->trigger();
    }

    [[nodiscard]] QString settingsFile() const { return dir_.filePath(QStringLiteral("muwu.ini")); }
    [[nodiscard]] QString folder() const {
        return dir_.filePath(QStringLiteral("文档/沐梧取名器"));
    }
    [[nodiscard]] QString installerFile() const {
        return folder() + QStringLiteral("/VAZUZ_EZ_Uzira.exe");
    }
    [[nodiscard]] std::optional<QString> stored(const QString& section, const QString& key) const {
        return SettingsStore(settingsFile()).value(section, key);
    }
    [[nodiscard]] int ends() const { return ends_; }
    [[nodiscard]] UpdateCheck* check() const { return checks_.current(); }
    [[nodiscard]] const std::vector<std::filesystem::path>& opened() const {
        return opener_.opened();
    }

    UpdateServer server;
    std::string address = server.address();
    std::string installer = installerBytes();
    BoxAnswerer boxes;
    std::chrono::milliseconds openLimit{10'000};

    // The download window as the check left it.
    [[nodiscard]] DownloadWindow& window() { return windows_.get(); }
    [[nodiscard]] bool windowExists() const { return windows_.exists(); }
    [[nodiscard]] const std::vector<QUrl>& sitesOpened() const { return *sites_; }

  private:
    UpdateCheckOptions options() {
        UpdateCheckOptions o;
        o.server = address;
        o.settingsFile = settingsFile();
        o.versionCaption = [this] { return cover_.versionCaption(); };
        o.documentsFolder = [this] { return dir_.filePath(QStringLiteral("文档")); };
        o.downloadWindow = [this]() -> DownloadWindow& { return windows_.get(); };
        o.openInstaller = opener_.opener();
        return o;
    }
    DownloadWindowOptions windowOptions() {
        DownloadWindowOptions o;
        o.settings = SettingsStore(settingsFile());
        o.site = QString::fromStdString(address);
        o.openUrl = [sites = sites_](const QUrl& u) { sites->push_back(u); };
        o.endProgram = [this] { ++ends_; };
        o.prompts = messageBoxPrompts();
        o.http.openLimit = openLimit;
        return o;
    }

    QTemporaryDir dir_;
    LinkActions links_;
    Cover cover_;
    MenuWindow menu_;
    std::shared_ptr<std::vector<QUrl>> sites_ = std::make_shared<std::vector<QUrl>>();
    DownloadWindowInstance windows_;
    UpdateChecks checks_;
    RecordingOpener opener_;
    int ends_ = 0;
};

}  // namespace muwu::test
