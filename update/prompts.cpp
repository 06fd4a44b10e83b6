#include "update/prompts.h"

#include <QAbstractButton>
#include <QMessageBox>

namespace muwu {

UpdatePrompts messageBoxPrompts() {
    UpdatePrompts p;
    p.okCancel = [](QWidget* owner, const QString& title, const QString& text) {
        return QMessageBox::question(owner, title, text, QMessageBox::Ok | QMessageBox::Cancel,
                                     QMessageBox::Ok) == QMessageBox::Ok;
    };
    p.message = [](QWidget* owner, const QString& title, const QString& text) {
        QMessageBox::information(owner, title, text, QMessageBox::Ok);
    };
    p.yesNo = [](QWidget* owner, const QString& title, const QString& text) {
        QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No,
                        owner);
        box.setDefaultButton(QMessageBox::Yes);
        // The program's own words on the buttons, whatever translation Qt has at hand.
        box.button(QMessageBox::Yes)->setText(QStringLiteral("是(&Y)"));
        box.button(QMessageBox::No)->setText(QStringLiteral("否(&N)"));
        return box.exec() == QMessageBox::Yes;
    };
    return p;
}

}  // namespace muwu
