#pragma once
// 菜单窗: the hidden holder of the help menu 帮助 that the main window pops up. It is never shown;
// it keeps the one about box while that is open.
#include <QMessageBox>
#include <QPointer>
#include <QWidget>
#include <functional>

class QAction;
class QMenu;

namespace muwu {

class AboutBox;
class LinkActions;

class MenuWindow : public QWidget {
    Q_OBJECT
  public:
    explicit MenuWindow(LinkActions& links);
    ~MenuWindow() override;

    [[nodiscard]] QMenu* 帮助() const noexcept;
    // Pops the menu up over the window it belongs to (the main window). The menu then lives on
    // that window, so that a screen reader finds it there and not under this hidden one.
    void popUp(const QPoint& globalPos, QWidget* over = nullptr);

    // 新版本检测 runs this; until there is an update check it says that there is none yet.
    void setUpdateCheck(std::function<void()> check);

    // The open about box; null when there is none.
    [[nodiscard]] AboutBox* aboutBox() const noexcept;

  private:
    void showAbout();
    void checkForUpdate();
    // A box of 新版本检测 that does not hold up the caller.
    void showUpdateMessage(QMessageBox::Icon icon, const QString& text);

    LinkActions& links_;
    QPointer<QMenu> menu_;
    QPointer<QWidget> over_;
    QPointer<AboutBox> about_;
    std::function<void()> updateCheck_;
};

using 菜单窗 = MenuWindow;

}  // namespace muwu
