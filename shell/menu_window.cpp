#include "shell/menu_window.h"

#include <QAction>
#include <QMenu>
#include <QMessageBox>
#include <exception>
#include <new>

#include "names/version.h"
#include "platform/screen_fit.h"
#include "platform/ui_fonts.h"
#include "shell/about_box.h"

namespace muwu {

MenuWindow::MenuWindow(LinkActions& links) : links_(links) {
    setObjectName(QStringLiteral("菜单窗"));
    setWindowTitle(QStringLiteral("菜单窗"));

    menu_ = new QMenu(QStringLiteral("帮助"), this);
    menu_->setObjectName(QStringLiteral("帮助"));
    menu_->setAccessibleName(menu_->title());  // a pop-up reads no title by itself
    menu_->setFont(songTi(9));
    QAction* about = menu_->addAction(QStringLiteral("关于《沐梧取名器》"));
    about->setObjectName(QStringLiteral("关于《沐梧取名器》"));
    QAction* update = menu_->addAction(QStringLiteral("新版本检测（升级）"));
    update->setObjectName(QStringLiteral("新版本检测"));
    // Qt's action handlers must not throw; both of these catch what they meet, and a check that
    // fails so says why.
    connect(about, &QAction::triggered, this, [this] { showAbout(); });
    connect(update, &QAction::triggered, this, [this] { checkForUpdate(); });
}

MenuWindow::~MenuWindow() {
    delete about_.data();
    delete menu_.data();
}

QMenu* MenuWindow::帮助() const noexcept {
    return menu_.data();
}

AboutBox* MenuWindow::aboutBox() const noexcept {
    return about_.data();
}

void MenuWindow::popUp(const QPoint& globalPos, QWidget* over) {
    if (over && menu_->parentWidget() != over) {
        menu_->setParent(over, menu_->windowFlags());
        over_ = over;
    }
    menu_->popup(globalPos);
}

void MenuWindow::setUpdateCheck(std::function<void()> check) {
    updateCheck_ = std::move(check);
}

void MenuWindow::showAbout() {
    try {
        if (!about_) {
            about_ = new AboutBox(links_);
            // Beside the window the menu came from, and on the screen.
            if (over_) {
                openBeside(about_, over_);
            } else {
                QRect frame(QPoint(0, 0), about_->size() + frameAllowance(about_));
                frame.moveCenter(availableArea(about_).center());
                about_->move(keepInside(frame, availableArea(about_)));
            }
        } else {
            about_->load();
        }
        about_->show();
        about_->raise();
        about_->activateWindow();
    } catch (...) {
        // Without an about box the program carries on as it was.
    }
}

void MenuWindow::checkForUpdate() {
    QString failure;
    try {
        if (updateCheck_) {
            updateCheck_();
            return;
        }
        showUpdateMessage(QMessageBox::Information,
                          QStringLiteral("新版本检测暂不可用，将在以后的版本中提供。"));
        return;
    } catch (const std::bad_alloc&) {
        failure = QStringLiteral("内存不足");
    } catch (const std::exception& e) {
        failure = QString::fromLocal8Bit(e.what());
    } catch (...) {
        failure = QStringLiteral("未知错误");
    }
    // The check stops; the program and the name on screen stay, and the user learns why.
    try {
        showUpdateMessage(QMessageBox::Warning, QStringLiteral("新版本检测出错，已经中止（") +
                                                    failure + QStringLiteral("）。"));
    } catch (...) {
        // Not even a message box could be made: there is nothing left to tell with.
    }
}

void MenuWindow::showUpdateMessage(QMessageBox::Icon icon, const QString& text) {
    auto* box = new QMessageBox(icon, QString::fromStdU16String(applicationTitle()), text,
                                QMessageBox::Ok, this);
    box->setObjectName(QStringLiteral("新版本检测消息"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::ApplicationModal);
    box->show();
}

}  // namespace muwu
