#include "shell/cover.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

#include "names/version.h"
#include "platform/accessibility.h"
#include "platform/ui_fonts.h"
#include "shell/cover_picture.h"
#include "shell/link_actions.h"

namespace muwu {

Cover::Cover(LinkActions& links, std::chrono::milliseconds delay)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), links_(links) {
    setObjectName(QStringLiteral("封面"));
    setWindowTitle(QStringLiteral("封面"));
    setFixedSize(coverPicture().size().isEmpty() ? QSize(550, 300) : coverPicture().size());

    version_ = new QLabel(QStringLiteral("版本名称"), this);
    version_->setObjectName(QStringLiteral("版本名称"));
    version_->setFont(songTi(9));
    setTextColour(version_, QColor(0x4a, 0x5a, 0x4d));
    version_->setGeometry(44, 198, 200, 18);

    labels_ = addLinkLabels(this, links_);
    labels_.沐梧工作室->move(44, 272);
    labels_.设计->move(196, 272);
    labels_.诗集->move(284, 272);
    showOnlyShownChildren(this);

    timer_ = new QTimer(this);
    timer_->setObjectName(QStringLiteral("Timer1"));
    timer_->setInterval(delay);
    timer_->setSingleShot(true);
    // The coarse kind may fire up to 5 % early.
    timer_->setTimerType(Qt::PreciseTimer);
    connect(timer_, &QTimer::timeout, this, [this] {
        timer_->stop();
        emit timeUp();
    });

    // Load: the site first, then the version, before anything can read it.
    links_.siteLinkOnce();
    version_->setText(QStringLiteral("版本：") + QString::fromStdString(versionText()));
    showLinkTips(labels_, links_);
    timer_->start();
}

void Cover::unload() noexcept {
    if (unloaded_)
        return;
    unloaded_ = true;
    timer_->stop();
    links_.authorLinkOnce();
}

QString Cover::versionCaption() const {
    return version_->text();
}

void Cover::paintEvent(QPaintEvent* /*event*/) {
    QPainter p(this);
    p.drawImage(0, 0, coverPicture());
}

void Cover::mousePressEvent(QMouseEvent* event) {
    event->accept();
    hide();
}

void Cover::closeEvent(QCloseEvent* event) {
    if (unloaded_) {
        event->accept();
        return;
    }
    event->ignore();
    hide();
}

}  // namespace muwu
