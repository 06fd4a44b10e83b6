#include "shell/link_label.h"

#include <QMouseEvent>

#include "platform/ui_fonts.h"
#include "shell/link_actions.h"

namespace muwu {

LinkLabel::LinkLabel(const QString& name, const QString& caption, QWidget* parent)
    : PressLabel(caption, parent) {
    setObjectName(name);
    setKind(Kind::link);
    setFont(songTi(9));
    // Room for the focus frame round the caption.
    setContentsMargins(2, 1, 2, 1);
    adjustSize();
    // From the keyboard or a screen reader the press is the click.
    connect(this, &PressLabel::pressed, this, &LinkLabel::clicked);
}

void LinkLabel::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
    event->accept();
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressed_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    pressed_ = false;
    event->accept();
    if (click)
        press();
}

void setTextColour(QLabel* label, const QColor& colour) {
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, colour);
    label->setPalette(p);
}

LinkLabels addLinkLabels(QWidget* host, LinkActions& links) {
    LinkLabels l;
    l.沐梧工作室 =
        new LinkLabel(QStringLiteral("沐梧工作室"), QStringLiteral("官方网站：沐梧工作室"), host);
    l.设计 = new LinkLabel(QStringLiteral("设计"), QStringLiteral("设计：青岑"), host);
    l.诗集 = new LinkLabel(QStringLiteral("诗集"), QStringLiteral("青岑诗集"), host);
    // The actions catch everything themselves, so nothing leaves the click handler.
    QObject::connect(l.沐梧工作室, &LinkLabel::clicked, host, [&links] { links.siteLink(); });
    QObject::connect(l.设计, &LinkLabel::clicked, host, [&links] { links.authorLink(); });
    QObject::connect(l.诗集, &LinkLabel::clicked, host, [&links] { links.poetryLink(); });
    return l;
}

void showLinkTips(const LinkLabels& labels, const LinkActions& links) {
    labels.沐梧工作室->setToolTip(links.siteTip());
    labels.设计->setToolTip(links.authorTip());
    labels.诗集->setToolTip(links.poetryTip());
}

}  // namespace muwu
