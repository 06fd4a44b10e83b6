#include "shell/about_box.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include "names/version.h"
#include "platform/accessibility.h"
#include "platform/ui_fonts.h"
#include "shell/cover_picture.h"
#include "shell/link_actions.h"

namespace muwu {

namespace {

// Where the description lies: a pale veil keeps it readable over the picture.
constexpr QRect kPanel(24, 164, 502, 84);

}  // namespace

AboutBox::AboutBox(LinkActions& links, QWidget* parent)
    // Above every window, the naming window that stays on top included.
    : QWidget(parent, Qt::Dialog | Qt::WindowStaysOnTopHint), links_(links) {
    setObjectName(QStringLiteral("关于"));
    setWindowTitle(QStringLiteral("关于我的应用程序"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(550, 300);

    description_ = new QLabel(
        QStringLiteral(
            "    《沐梧取名器》是一款智能的起名软件。它的基本原理来自中国古代《周易》演化"
            "成的《姓名学》，经过长期的考证发现它的准确率达到100%，一个人的姓名直接影响"
            "人的一生！为了我们下一代的幸福安康，以及我们的美好未来，特编写本软件免费赠"
            "送给每一个炎黄子孙。"),
        this);
    description_->setObjectName(QStringLiteral("lblDescription"));
    description_->setFont(songTi(9));
    description_->setWordWrap(true);
    description_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setTextColour(description_, QColor(0x26, 0x35, 0x2a));
    description_->setGeometry(kPanel.adjusted(12, 4, -12, -4));

    version_ = new QLabel(QStringLiteral("版本"), this);
    version_->setObjectName(QStringLiteral("lblVersion"));
    version_->setFont(songTi(9));
    setTextColour(version_, QColor(0x4a, 0x5a, 0x4d));
    version_->setGeometry(44, 138, 200, 18);

    labels_ = addLinkLabels(this, links_);
    labels_.沐梧工作室->move(36, 268);
    labels_.设计->move(188, 268);
    labels_.诗集->move(276, 268);

    ok_ = new QPushButton(QStringLiteral("确定"), this);
    ok_->setObjectName(QStringLiteral("cmdOK"));
    ok_->setFont(songTi(9));
    ok_->setGeometry(446, 260, 80, 28);
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &QWidget::close);
    // Tab goes from the links to 确定, which has the focus first, so Enter closes the box.
    QWidget::setTabOrder(labels_.诗集, ok_);
    ok_->setFocus();
    showOnlyShownChildren(this);

    load();
}

void AboutBox::load() {
    setWindowTitle(QStringLiteral("关于 ") +
                   QString::fromStdU16String(std::u16string(kProgramName)));
    version_->setText(QStringLiteral("版本 ") + QString::fromStdString(versionText()));
    showLinkTips(labels_, links_);
}

void AboutBox::paintEvent(QPaintEvent* /*event*/) {
    QPainter p(this);
    p.drawImage(0, 0, coverPicture());
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 252, 238));
    p.drawRoundedRect(kPanel, 8, 8);
}

void AboutBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    // As in a dialog, Enter presses 确定 wherever else the focus is; a link takes its own Enter.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && ok_->isEnabled()) {
        ok_->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace muwu
