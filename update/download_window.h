#pragma once
// 下载窗 ("文件下载"): shows one file transfer (URL, target, size, progress, status line with
// amount and rate) and hosts DownloadFile, which the update check drives by filling txtURL and
// txtFile and pressing cmdStart from code. The text boxes are restored on load and stored when
// the window is closed.
#include <QByteArray>
#include <QNetworkAccessManager>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <limits>
#include <optional>

#include "platform/qt_text.h"
#include "shell/link_actions.h"
#include "shell/links.h"
#include "shell/settings_store.h"
#include "update/download_buttons.h"
#include "update/http_transfer.h"
#include "update/prompts.h"
#include "update/transfer_counter.h"

class QLabel;
class QLineEdit;

namespace muwu {

class ProgressBar;

// The settings of the update, under the application's title: the window's text boxes and the
// hand-over keys of the download.
inline constexpr std::u16string_view kDownloadWindowSection = u"下载窗";
inline constexpr std::u16string_view kHandOverSection = u"下载窗衔接";
// The status line of a failed transfer, which the callers also read back.
inline constexpr std::u16string_view kOpenUrlFailed = u"打开URL错误";
// A chunk of the transfer, and the rate below which a chunk counts as slow (bytes per second).
inline constexpr qint64 kChunkBytes = 2048;
inline constexpr qint64 kSlowRate = 1280;

struct DownloadWindowOptions {
    SettingsStore settings{SettingsStore::defaultFile(qs(kSettingsApplication))};
    // The maker's site, offered when the connection is too slow.
    QString site;
    UrlOpener openUrl;
    // Ends the program at once, so that the installer just started can replace it.
    std::function<void()> endProgram;
    UpdatePrompts prompts;
    TickSource ticks = steadyTicks();
    HttpTransferOptions http;
};

// The desktop's handlers: message boxes, the browser, QCoreApplication::exit, the built-in site.
[[nodiscard]] DownloadWindowOptions desktopDownloadWindowOptions();

class DownloadWindow;

// How a transfer ended. Only Complete replaced the target file.
enum class TransferOutcome {
    None,
    Complete,
    Stopped,      // by the stop button (or the window being closed)
    Failed,       // no connection, an error reply, cut short, not written
    WrongSize,    // the body (or its "Content-Length") is not of the size the rule allows
    WrongDigest,  // the whole body has not the SHA-256 the rule asks for
    TooSlow,      // the line stayed too slow and the user was told
};

// What the next transfers may receive and what becomes of them. The update check sets one for
// each of its files; it holds until the next is set, also for a transfer the user starts again.
struct TransferRule {
    // A body of fewer than least or more than most bytes is refused: a "Content-Length" outside
    // the range before the body is read, a body that runs past most as soon as it gets there.
    qint64 least = 0;
    qint64 most = std::numeric_limits<qint64>::max();
    // Instead: reading stops after most bytes, and that is a complete transfer.
    bool enoughAtMost = false;
    // False: the bytes are read and dropped, and nothing is written.
    bool keep = true;
    // The SHA-256 the whole body must have, in lower-case hexadecimal; an empty one (a digest
    // the list spelt wrong) matches no body.
    std::optional<QByteArray> sha256;
    // Run after every transfer started by 开始, from code or by the user, with its outcome: a
    // transfer started again after a stop ends as the first one would.
    std::function<void(DownloadWindow&, TransferOutcome)> afterTransfer;
};

class DownloadWindow : public QWidget {
    Q_OBJECT
  public:
    using Outcome = TransferOutcome;

    // Creates the window hidden and runs its load.
    explicit DownloadWindow(DownloadWindowOptions options, QWidget* parent = nullptr);
    ~DownloadWindow() override;

    // Fetches url into file under the rule in force and returns the bytes received; the status
    // line tells the outcome: "打开URL错误" for a failure or a refused file, "共下载 N 字节" for a
    // complete transfer, "已停止，…" for a stopped one. The file is replaced only when every byte
    // arrived and passed the rule's checks; it is left as it was otherwise.
    qint64 DownloadFile(const QString& url, const QString& file);
    void setTransferRule(TransferRule rule) { rule_ = std::move(rule); }
    [[nodiscard]] const TransferRule& transferRule() const noexcept { return rule_; }
    [[nodiscard]] Outcome lastOutcome() const noexcept { return outcome_; }
    // Why the last transfer failed, in words (also the status line's tooltip).
    [[nodiscard]] const QString& lastFailure() const noexcept { return failure_; }

    // Byte count as text: the short size alone up to 1024, else "N字节(short size)".
    [[nodiscard]] static QString FormatSize(qint64 n);
    // The short size as the Chinese system formatter writes it: "1000 字节", "1.29 KB", "12.9 MB".
    [[nodiscard]] static QString shortSize(qint64 n);
    // The rate of the latest chunk as the transfer counter gives it (over the time since the
    // chunk before); the status line and the too-slow rule use the rate of the last second or two.
    [[nodiscard]] qint64 chunkSpeed() const noexcept { return chunkSpeed_; }

    void LoadTextBox(QLineEdit* box);
    void SaveTextBox(QLineEdit* box);

    [[nodiscard]] std::int16_t SlowCount() const noexcept { return slowCount_; }
    void setSlowCount(std::int16_t n) noexcept { slowCount_ = n; }
    [[nodiscard]] bool transferRunning() const noexcept { return running_; }

    [[nodiscard]] QLineEdit* txtURL() const noexcept { return txtURL_; }
    [[nodiscard]] QLineEdit* txtFile() const noexcept { return txtFile_; }
    [[nodiscard]] QLabel* lblCount() const noexcept { return lblCount_; }
    [[nodiscard]] QLabel* 文件大小() const noexcept { return size_; }
    [[nodiscard]] QLabel* 版本号() const noexcept { return version_; }
    [[nodiscard]] ProgressBar* 进度条() const noexcept { return bar_; }
    [[nodiscard]] DownloadButton* cmdStart() const noexcept { return cmdStart_; }
    [[nodiscard]] DownloadButton* cmdStop() const noexcept { return cmdStop_; }
    [[nodiscard]] DownloadButton* 后台下载() const noexcept { return background_; }

    [[nodiscard]] const DownloadWindowOptions& options() const noexcept { return options_; }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void cmdStartClick();
    void cmdStopClick();
    void 后台下载Click();

    void setStatus(const QString& text, const QString& why = {});
    // The too-slow ending: the notice, perhaps the site, the two keys. The program runs on.
    void tooSlowEnding();
    void storeProgress(bool last);
    [[nodiscard]] double now() const;

    DownloadWindowOptions options_;
    QNetworkAccessManager network_;
    QLineEdit* txtURL_ = nullptr;
    QLineEdit* txtFile_ = nullptr;
    QLabel* lblCount_ = nullptr;
    QLabel* size_ = nullptr;
    QLabel* version_ = nullptr;
    ProgressBar* bar_ = nullptr;
    DownloadButton* cmdStart_ = nullptr;
    DownloadButton* cmdStop_ = nullptr;
    DownloadButton* background_ = nullptr;

    std::int16_t slowCount_ = 0;
    double slowSince_ = 0;
    bool stopRequested_ = false;
    bool running_ = false;
    bool closePending_ = false;
    Outcome outcome_ = Outcome::None;
    QString failure_;
    TransferRule rule_;
    qint64 chunkSpeed_ = 0;
    // The percent last stored, none yet in this transfer.
    std::optional<qint64> lastPercent_;
    std::int64_t lastProgressTick_ = 0;
};

// The one program-wide download window: created, hidden, at its first use; closing it unloads
// it and the next use creates it again.
class DownloadWindowInstance {
  public:
    explicit DownloadWindowInstance(std::function<DownloadWindowOptions()> options)
        : options_(std::move(options)) {}
    ~DownloadWindowInstance();
    DownloadWindow& get();
    [[nodiscard]] bool exists() const noexcept { return !window_.isNull(); }

  private:
    std::function<DownloadWindowOptions()> options_;
    QPointer<DownloadWindow> window_;
};

}  // namespace muwu
