#pragma once
// 封面: the cover, the program's start-up window. Its load runs the once-only site visit and sets
// the version label; its one timer fires after two seconds to have the main window shown. It
// stays loaded, hidden at a mouse press, until the program ends and unloads it.
#include <QWidget>
#include <chrono>

#include "shell/link_label.h"

class QLabel;
class QTimer;

namespace muwu {

class LinkActions;

// The cover's one delay before the main window is shown.
inline constexpr std::chrono::milliseconds kCoverDelay{2000};

class Cover : public QWidget {
    Q_OBJECT
  public:
    static constexpr std::chrono::milliseconds kDelay = kCoverDelay;

    // Loads the cover (site visit, version label) without showing it.
    explicit Cover(LinkActions& links, std::chrono::milliseconds delay = kDelay);

    // The program's end: the once-only author visit. Runs once; afterwards the cover closes.
    void unload() noexcept;
    [[nodiscard]] bool unloaded() const noexcept { return unloaded_; }

    // The caption of 版本名称, as the running version's text.
    [[nodiscard]] QString versionCaption() const;

  signals:
    // Timer1 has fired (once): the main window is to be shown.
    void timeUp();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    // Only the program's end closes the cover; a close asked for otherwise hides it.
    void closeEvent(QCloseEvent* event) override;

  private:
    LinkActions& links_;
    QTimer* timer_ = nullptr;
    QLabel* version_ = nullptr;
    LinkLabels labels_;
    bool unloaded_ = false;
};

using 封面 = Cover;

}  // namespace muwu
