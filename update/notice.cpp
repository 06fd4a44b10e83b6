#include "update/notice.h"

#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/qt_text.h"
#include "platform/text_label.h"
#include "platform/ui_fonts.h"
#include "shell/links.h"

namespace muwu {

NoticeWindow::NoticeWindow(const QString& text, QWidget* parent, Kind kind) : QDialog(parent) {
    const bool waiting = kind == Kind::waiting;
    setObjectName(waiting ? QStringLiteral("等待提示窗") : QStringLiteral("提示窗"));
    setWindowTitle(qs(kProgramName));
    setModal(!waiting);
    setFont(songTi(9));
    // Read out as what it says.
    label_ = new TextLabel(text, this);
    label_->setObjectName(QStringLiteral("提示"));
    label_->setWordWrap(true);
    label_->setMinimumWidth(260);
    const QString caption = waiting ? QStringLiteral("取消") : QStringLiteral("确定");
    const auto which = waiting ? QDialogButtonBox::Cancel : QDialogButtonBox::Ok;
    auto* buttons = new QDialogButtonBox(which, this);
    buttons->setObjectName(caption);
    QPushButton* button = buttons->button(which);
    button->setText(caption);
    button->setAccessibleName(caption);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label_);
    layout->addWidget(buttons);
}

void 显示提示(const QString& text, QWidget* parent) {
    // The default pointer goes on top of whatever the caller set and is taken off again, which
    // brings the caller's pointer back.
    QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
    {
        NoticeWindow notice(text, parent);
        notice.exec();
    }
    QGuiApplication::restoreOverrideCursor();
}

}  // namespace muwu
