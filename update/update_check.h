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
#include "update/product_list.h"

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace muwu {

// What the check needs of the download window 下载窗, its transfer engine.
class TransferWindow {
  public:
    virtual ~TransferWindow() = default;
    virtual void setUrl(const QString& url) = 0;    // txtURL
    virtual void setFile(const QString& file) = 0;  // txtFile
    // Presses cmdStart from code; the transfer has ended when this returns.
    virtual void pressStart() = 0;
    // The caption of lblCount.
    [[nodiscard]] virtual QString status() const = 0;
    // The caption of 文件大小 and the progress bar's max, in kilobytes.
    virtual void setExpectedSize(qint64 kilobytes) = 0;
    virtual void setSlowCount(int count) = 0;
    virtual void showWindow() = 0;
    // The installer's "Content-Length" in bytes as the server answers a GET for it; nullopt
    // when the server sends none, or none that is a number.
    [[nodiscard]] virtual std::optional<qint64> contentLength(const QString& url) = 0;
};

// The message boxes of the check, answered by the user.
struct UpdatePrompts {
    std::function<bool(const QString& title, const QString& text)> askYesNo;
    std::function<void(const QString& title, const QString& text)> tell;
    std::function<void(const QString& text)> notice;  // 显示提示
};

// The real message boxes, modal, with object names a test can find them by.
[[nodiscard]] UpdatePrompts messageBoxPrompts();

struct UpdateCheckOptions {
    std::string server;                       // the update server's address
    QString settingsFile;                     // the settings store
    std::function<QString()> versionCaption;  // the cover's 版本名称
    std::function<QString()> documentsFolder;
    // The download window, loaded hidden at its first use.
    std::function<TransferWindow&()> transfers;
    FileOpener openInstaller;
    // Ends the program at once, without any window's unload handling.
    std::function<void()> endProgram;
    UpdatePrompts prompts;
};

inline constexpr const char* kStatusFailed = "打开URL错误";
inline constexpr const char* kListFile = "/list.txt";
inline constexpr const char* kPingFile = "/RUVEV_VizIvu_count.asp";
inline constexpr const char* kInstallerFile = "VAZUZ_EZ_Uzira.exe";

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
    [[nodiscard]] bool ended() const noexcept { return ended_; }

  private:
    void buildControls();
    void 版本分析Click();
    void 读产品列表Click();
    // The installer download; false when it did not end the program.
    bool 下载Click();
    void List1Selected(int row);
    void endProgram();
    [[nodiscard]] bool transferFailed() const;
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
    ListedDigest digest_;
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
