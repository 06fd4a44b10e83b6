#pragma once
// Answers the modal boxes of the update as a user would: it watches for the active modal window,
// notes what it says, and presses a button on it. Every box is answered, so a test never hangs.
#include <QAbstractButton>
#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <deque>
#include <optional>
#include <vector>

#include "update/notice.h"

namespace muwu::test {

struct SeenBox {
    // 获取新版本问题 (a Yes/No question), 获取新版本消息 (a message with OK), 提示窗 (the notice)
    QString kind;
    QString title;
    QString text;
    std::optional<Qt::CursorShape> pointer;  // the application's pointer while it was open
};

class BoxAnswerer : public QObject {
  public:
    BoxAnswerer() {
        timer_.setInterval(5);
        connect(&timer_, &QTimer::timeout, this, [this] { look(); });
        timer_.start();
    }
    // The answers to Yes/No questions, in turn; a question without one gets No.
    void answerQuestions(std::deque<bool> answers) { answers_ = std::move(answers); }
    [[nodiscard]] const std::vector<SeenBox>& seen() const { return seen_; }
    [[nodiscard]] std::vector<SeenBox> seen(const QString& kind) const {
        std::vector<SeenBox> out;
        for (const SeenBox& b : seen_)
            if (b.kind == kind)
                out.push_back(b);
        return out;
    }

  private:
    void look() {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal == last_)
            return;
        last_ = modal;
        std::optional<Qt::CursorShape> pointer;
        if (const QCursor* c = QGuiApplication::overrideCursor())
            pointer = c->shape();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            const bool question = box->button(QMessageBox::Yes) != nullptr;
            seen_.push_back(
                {question ? QStringLiteral("获取新版本问题") : QStringLiteral("获取新版本消息"),
                 box->windowTitle(), box->text(), pointer});
            QAbstractButton* button = box->button(QMessageBox::Ok);
            if (question) {
                const bool yes = !answers_.empty() && answers_.front();
                if (!answers_.empty())
                    answers_.pop_front();
                button = box->button(yes ? QMessageBox::Yes : QMessageBox::No);
            }
            if (button)
                button->click();
            else
                box->reject();
        } else if (auto* notice = qobject_cast<NoticeWindow*>(modal)) {
            seen_.push_back(
                {notice->objectName(), notice->windowTitle(), notice->提示()->text(), pointer});
            notice->accept();
        } else if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            seen_.push_back({dialog->objectName(), dialog->windowTitle(), QString(), pointer});
            dialog->reject();
        }
    }

    QTimer timer_;
    QPointer<QWidget> last_;
    std::deque<bool> answers_;
    std::vector<SeenBox> seen_;
};

}  // namespace muwu::test
