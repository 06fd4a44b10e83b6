#pragma once
// The message boxes of the update: a question with OK and Cancel, one with Yes and No, and a
// message with OK. Tests pass recorders so nothing waits for a user.
#include <QString>
#include <functional>

class QWidget;

namespace muwu {

struct UpdatePrompts {
    // True for OK.
    std::function<bool(QWidget* owner, const QString& title, const QString& text)> okCancel;
    std::function<void(QWidget* owner, const QString& title, const QString& text)> message;
    // True for Yes (the update check's question).
    std::function<bool(QWidget* owner, const QString& title, const QString& text)> yesNo;
};

// Modal message boxes.
[[nodiscard]] UpdatePrompts messageBoxPrompts();

}  // namespace muwu
