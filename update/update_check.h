#pragma once
// 获取新版本: the hidden worker of the online update. Its load runs the whole check: the product
// list is fetched through the download window, this program's line found, the usage ping sent,
// the versions compared and, when the user agrees, the new installer fetched and started.
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>
#include <optional>
#include <string>

#include "platform/opener.h"
#include "update/download_window.h"
#include "update/product_list.h"
#include "update/prompts.h"

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace muwu {

struct UpdateCheckOptions {
    std::string server;                        // the update server's address
    QString settingsFile;                      // the settings store
    std::function<QString()> versionCaption;   // the cover's 版本名称
    std::function<QString()> documentsFolder;  // 系统目录's txtDocument
    // The download window, loaded hidden at its first use.
    std::function<DownloadWindow&()> downloadWindow;
    FileOpener openInstaller;
    UpdatePrompts prompts;
};

inline constexpr const char* kListFile = "/list.txt";
inline constexpr const char* kPingFile = "/RUVEV_VizIvu_count.asp";
// A real list is a few kilobytes; a server that sends more is refused at this.
inline constexpr qint64 kListLimit = qint64{1} << 20;
// Of the usage ping's reply this much is read, and nothing kept.
inline constexpr qint64 kPingLimit = 4096;

class UpdateCheck : public QWidget {
    Q_OBJECT
  public:
    explicit UpdateCheck(UpdateCheckOptions options, QWidget* parent = nullptr);

    // The window's load: 下载目录, hidden, SlowCount 0, then 版本分析.
    void load();
    // Unloads the window: at once when idle, else when the running check has returned.
    void unload();

    [[nodiscard]] const QString& 新版本号() const noexcept { return newVersion_; }
    [[nodiscard]] const QString& 下载目录() const noexcept { return folder_; }
    [[nodiscard]] bool running() const noexcept { return running_ > 0; }
    // The installer was started and the program ended.
    [[nodiscard]] bool ended() const noexcept { return ended_; }

  private:
    void buildControls();
    void 版本分析Click();
    void 读产品列表Click();
    // The installer download (下载), with the size and digest of the list's line.
    void 下载Click();
    void List1Selected(int row);
    [[nodiscard]] DownloadWindow& transfers() const;
    // Fills txtURL and txtFile, sets the rule and presses cmdStart; true when the transfer
    // completed.
    bool transfer(const char* path, TransferRule rule);
    // The failure notice, with the transfer's reason when it has one; the program runs on.
    void failureNotice(const QString& why);
    [[nodiscard]] QString serverFile(const char* path) const;
    void store(const QString& section, const QString& key, const QString& value) const;

    UpdateCheckOptions options_;
    QPushButton* 版本分析_ = nullptr;
    QPushButton* 读产品列表_ = nullptr;
    QPushButton* 下载_ = nullptr;
    QListWidget* list1_ = nullptr;
    QLabel* label1_ = nullptr;
    QLabel* 版本_ = nullptr;
    QCheckBox* 自动_ = nullptr;
    QLabel* 底棒_ = nullptr;

    QString folder_;
    QString newVersion_;
    std::optional<long long> listedSize_;
    ListedDigest digest_;
    // The user gave up waiting for the server.
    bool cancelled_ = false;
    int running_ = 0;
    bool unloadWhenDone_ = false;
    bool ended_ = false;
};

using 获取新版本 = UpdateCheck;

// Runs 新版本检测: unloads any instance and loads a fresh one, whose load runs the check.
class UpdateChecks {
  public:
    explicit UpdateChecks(std::function<UpdateCheckOptions()> options)
        : options_(std::move(options)) {}
    ~UpdateChecks();
    void 新版本检测();
    [[nodiscard]] UpdateCheck* current() const noexcept { return current_.data(); }

  private:
    std::function<UpdateCheckOptions()> options_;
    QPointer<UpdateCheck> current_;
};

}  // namespace muwu
