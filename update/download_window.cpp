#include "update/download_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <cmath>
#include <cstdlib>

#include "controls/progress_bar.h"
#include "platform/accessibility.h"
#include "platform/text_label.h"
#include "platform/qt_text.h"
#include "platform/screen_fit.h"
#include "shell/links.h"
#include "update/download_buttons.h"

namespace muwu {

DownloadWindowOptions desktopDownloadWindowOptions() {
    DownloadWindowOptions o;
    o.site = QString::fromStdString(siteAddress(std::getenv(kSiteVariable)));
    o.openUrl = desktopUrlOpener();
    o.endProgram = [] { QCoreApplication::exit(0); };
    o.prompts = messageBoxPrompts();
    return o;
}

DownloadWindow::DownloadWindow(DownloadWindowOptions options, QWidget* parent)
    : QWidget(parent, Qt::Window), options_(std::move(options)) {
    setObjectName(QStringLiteral("下载窗"));
    setWindowTitle(QStringLiteral("文件下载"));
    openBesideWorkingWindowWhenShown(this);
    if (!options_.ticks)
        options_.ticks = steadyTicks();

    auto label = [this](const QString& name, const QString& caption) {
        auto* l = new QLabel(caption, this);
        l->setObjectName(name);
        return l;
    };
    // What these say is what a screen reader reads, not what they are called.
    auto textLabel = [this](const QString& name, const QString& caption) {
        auto* l = new TextLabel(caption, this);
        l->setObjectName(name);
        return l;
    };
    auto* label1 = label(QStringLiteral("Label1"), QStringLiteral("文件:"));
    txtFile_ = new QLineEdit(this);
    txtFile_->setObjectName(QStringLiteral("txtFile"));
    txtFile_->setAccessibleName(QStringLiteral("文件"));
    label1->setBuddy(txtFile_);
    auto* lblURL = label(QStringLiteral("lblURL"), QStringLiteral("URL:"));
    txtURL_ = new QLineEdit(this);
    txtURL_->setObjectName(QStringLiteral("txtURL"));
    txtURL_->setAccessibleName(QStringLiteral("URL"));
    lblURL->setBuddy(txtURL_);
    version_ = textLabel(QStringLiteral("版本号"), QStringLiteral("版本号"));
    auto* label2 = label(QStringLiteral("Label2"), QStringLiteral("文件大小:"));
    size_ = textLabel(QStringLiteral("文件大小"), QStringLiteral("3181"));
    bar_ = new ProgressBar(this);
    bar_->setObjectName(QStringLiteral("进度条"));
    lblCount_ = textLabel(QStringLiteral("lblCount"), QStringLiteral("下载"));
    // Wide enough for "已下载 … [ … /秒 ]" of a transfer of some hundred megabytes.
    lblCount_->setMinimumWidth(480);
    cmdStart_ = makeDownloadButton(this, QStringLiteral("cmdStart"), QStringLiteral("开始"));
    cmdStop_ = makeDownloadButton(this, QStringLiteral("cmdStop"), QStringLiteral("停止"));
    background_ = makeDownloadButton(this, QStringLiteral("后台下载"), QStringLiteral("后台下载"));

    auto* grid = new QGridLayout(this);
    grid->addWidget(label1, 0, 0);
    grid->addWidget(txtFile_, 0, 1, 1, 3);
    grid->addWidget(lblURL, 1, 0);
    grid->addWidget(txtURL_, 1, 1, 1, 3);
    grid->addWidget(version_, 2, 0, 1, 2);
    grid->addWidget(label2, 2, 2, Qt::AlignRight);
    grid->addWidget(size_, 2, 3);
    grid->addWidget(bar_, 3, 0, 1, 4);
    grid->addWidget(lblCount_, 4, 0, 1, 4);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdStart_);
    buttons->addWidget(cmdStop_);
    buttons->addWidget(background_);
    grid->addLayout(buttons, 5, 0, 1, 4);
    grid->setColumnStretch(1, 1);

    connect(cmdStart_, &DownloadButton::Click, this, &DownloadWindow::cmdStartClick);
    connect(cmdStop_, &DownloadButton::Click, this, &DownloadWindow::cmdStopClick);
    connect(background_, &DownloadButton::Click, this, &DownloadWindow::后台下载Click);
    cmdStop_->setEnabled(false);

    // A window to a screen reader, listing the controls it shows.
    showOnlyShownChildren(this);

    // Load.
    bar_->setMax(static_cast<std::int32_t>(readNumber(size_->text().toStdString())));
    LoadTextBox(txtFile_);
    LoadTextBox(txtURL_);
}

DownloadWindow::~DownloadWindow() = default;

void DownloadWindow::LoadTextBox(QLineEdit* box) {
    box->setText(
        options_.settings.value(qs(kDownloadWindowSection), box->objectName()).value_or(QString()));
}

void DownloadWindow::SaveTextBox(QLineEdit* box) {
    options_.settings.setValue(qs(kDownloadWindowSection), box->objectName(), box->text());
}

void DownloadWindow::closeEvent(QCloseEvent* event) {
    // A running transfer is stopped first, so its loop does not outlive the window; the window
    // closes when it has ended.
    if (running_) {
        stopRequested_ = true;
        closePending_ = true;
        event->ignore();
        return;
    }
    SaveTextBox(txtFile_);
    SaveTextBox(txtURL_);
    QWidget::closeEvent(event);
}

void DownloadWindow::cmdStartClick() {
    // One transfer at a time: a press while one runs would nest a second inside its yield.
    if (running_)
        return;
    txtURL_->setEnabled(false);
    txtFile_->setEnabled(false);
    cmdStart_->setEnabled(false);
    cmdStop_->setEnabled(true);
    (void)DownloadFile(txtURL_->text(), txtFile_->text());
    cmdStop_->setEnabled(false);
    cmdStart_->setEnabled(true);
    txtFile_->setEnabled(true);
    txtURL_->setEnabled(true);
    if (closePending_) {
        closePending_ = false;
        close();
        return;
    }
    // Held by value: what follows may set another rule.
    if (const auto after = rule_.afterTransfer)
        after(*this, outcome_);
}

void DownloadWindow::cmdStopClick() {
    stopRequested_ = true;
}

void DownloadWindow::后台下载Click() {
    hide();
}

void DownloadWindow::setStatus(const QString& text, const QString& why) {
    lblCount_->setText(text);
    lblCount_->setToolTip(why);
    lblCount_->setAccessibleDescription(why);
    lblCount_->repaint();
}

double DownloadWindow::now() const {
    return static_cast<double>(options_.ticks()) / 1000.0;
}

namespace {

// Qt's own byte-size text in the Chinese platform formatter's style: no digit grouping, "字节"
// for bytes, and "KB" as that formatter writes kilobytes where Qt writes "kB".
QString dataSize(qint64 bytes, int decimals) {
    if (bytes < 1024)
        return QString::number(bytes) + QStringLiteral(" 字节");
    // Configured once: the sizes are formatted at every chunk of a transfer.
    static const QLocale locale = [] {
        QLocale l;
        l.setNumberOptions(QLocale::OmitGroupSeparator);
        return l;
    }();
    QString text = locale.formattedDataSize(bytes, decimals, QLocale::DataSizeTraditionalFormat);
    if (text.endsWith(QLatin1String(" kB")))
        text[text.size() - 2] = QLatin1Char('K');
    return text;
}

}  // namespace

QString DownloadWindow::shortSize(qint64 n) {
    if (n < 1024)
        return dataSize(n, 0);
    // Three significant digits, cut rather than rounded (1331 bytes is 1.29 KB, not 1.30 KB): Qt
    // rounds, so it is handed the smallest byte count that shows the cut value.
    int power = 0;
    double unit = 1;
    while (power < 6 && static_cast<double>(n) / (unit * 1024) >= 1) {
        unit *= 1024;
        ++power;
    }
    const double value = static_cast<double>(n) / unit;
    const int decimals = value < 10 ? 2 : value < 100 ? 1 : 0;
    const double scale = std::pow(10.0, decimals);
    const double cut = std::floor(value * scale) / scale;
    const auto shown = static_cast<qint64>(std::ceil(cut * unit));
    return dataSize(shown, decimals);
}

QString DownloadWindow::FormatSize(qint64 n) {
    const QString text = shortSize(n);
    if (n > 1024)
        return QString::number(n) + QStringLiteral("字节(") + text + QLatin1Char(')');
    return text;
}

DownloadWindowInstance::~DownloadWindowInstance() {
    delete window_.data();
}

DownloadWindow& DownloadWindowInstance::get() {
    if (!window_) {
        window_ = new DownloadWindow(options_ ? options_() : desktopDownloadWindowOptions());
        window_->setAttribute(Qt::WA_DeleteOnClose);
    }
    return *window_;
}

}  // namespace muwu
