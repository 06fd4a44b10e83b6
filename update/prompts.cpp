#include "update/prompts.h"

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
        return QMessageBox::question(owner, title, text, QMessageBox::Yes | QMessageBox::No,
                                     QMessageBox::Yes) == QMessageBox::Yes;
    };
    return p;
}

}  // namespace muwu
