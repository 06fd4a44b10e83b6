#pragma once
// What the shell's window tests share: a start-up with a recording opener, its own settings file
// and folder for local pages, and the real data for the main window.
#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHelpEvent>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>
#include <QUrl>
#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <vector>

#include "names/main_window.h"
#include "platform/data_folder.h"
#include "shell/settings_store.h"
#include "shell/start_up.h"
#include "tests/support/widget_input.h"

namespace muwu::shell_test {

inline const QString kSite = QStringLiteral("http://site.test");
inline const QUrl kSiteUrl(kSite);
inline const QUrl kAuthorUrl(kSite + QStringLiteral("/Lanqiao_jianjie.htm"));
inline const QUrl kPoetryUrl(kSite + QStringLiteral("/QingCenRoZa/QingCenRoZa.htm"));
inline const QString kSection = QStringLiteral("参数");
inline const QString kSiteKey = QStringLiteral("已经打开官方网页");
inline const QString kAuthorKey = QStringLiteral("已经打开作者网页");

// Notes what it is asked to open; can be told to fail as a broken desktop would.
class UrlRecorder {
  public:
    [[nodiscard]] UrlOpener opener() const {
        return [calls = calls_, fail = fail_](const QUrl& url) {
            calls->push_back(url);
            if (*fail)
                throw std::runtime_error("no handler");
        };
    }
    [[nodiscard]] const std::vector<QUrl>& opened() const { return *calls_; }
    void clear() const { calls_->clear(); }
    void failFromNowOn() const { *fail_ = true; }

  private:
    std::shared_ptr<std::vector<QUrl>> calls_ = std::make_shared<std::vector<QUrl>>();
    std::shared_ptr<bool> fail_ = std::make_shared<bool>(false);
};

// One machine: a settings file and a program folder that last over several runs.
class Machine {
  public:
    Machine() { QVERIFY(dir_.isValid()); }

    [[nodiscard]] QString settingsFile() const {
        return dir_.filePath(QStringLiteral("s/muwu.ini"));
    }
    [[nodiscard]] std::filesystem::path linkFolder() const {
        return std::filesystem::path(
            QFile::encodeName(dir_.filePath(QStringLiteral("app"))).toStdString());
    }
    [[nodiscard]] SettingsStore store() const { return SettingsStore(settingsFile()); }
    [[nodiscard]] std::optional<QString> stored(const QString& key) const {
        return store().value(kSection, key);
    }

    // Puts a file below the program folder.
    void place(const QString& relative, const QByteArray& bytes = "x") const {
        const QString path = dir_.filePath(QStringLiteral("app/") + relative);
        QDir().mkpath(QFileInfo(path).path());
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    void writeSettings(const QByteArray& bytes) const {
        QDir().mkpath(QFileInfo(settingsFile()).path());
        QFile f(settingsFile());
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    [[nodiscard]] QByteArray settingsBytes() const {
        QFile f(settingsFile());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    // Options of one run; the end of the program is only counted.
    [[nodiscard]] StartUpOptions options(std::chrono::milliseconds delay) {
        StartUpOptions o;
        o.dataFolder = findDataFolder(programFolder());
        o.linkFolder = linkFolder();
        o.site = kSite.toStdString();
        o.openUrl = urls.opener();
        o.openFile = [](const std::filesystem::path&) {};
        o.settingsFile = settingsFile();
        o.coverDelay = delay;
        o.endProgram = [ends = ends_] { ++*ends; };
        return o;
    }
    [[nodiscard]] int ends() const { return *ends_; }

    UrlRecorder urls;

  private:
    QTemporaryDir dir_;
    std::shared_ptr<int> ends_ = std::make_shared<int>(0);
};

// Shows w's tooltip as a hovering mouse does and tells what share of the tooltip's pixels are
// its background colour (a tooltip without background would show none).
inline double tooltipBackgroundShare(QWidget* w) {
    QHelpEvent help(QEvent::ToolTip, QPoint(3, 3), w->mapToGlobal(QPoint(3, 3)));
    QApplication::sendEvent(w, &help);
    if (!QTest::qWaitFor([] { return QToolTip::isVisible(); }))
        return 0;
    QWidget* tip = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->objectName() == QStringLiteral("qtooltip_label") && top->isVisible())
            tip = top;
    }
    if (!tip)
        return 0;
    const QImage shown = tip->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRgb base = QToolTip::palette().color(QPalette::ToolTipBase).rgb();
    qsizetype same = 0;
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x)
            same += shown.pixel(x, y) == base;
    }
    QToolTip::hideText();
    return double(same) / double(shown.width() * shown.height());
}

// The names a screen reader reads for window and every control under it, by object name.
inline std::map<QString, QString> accessibleNames(QWidget* window) {
    std::map<QString, QString> names;
    for (QAccessibleInterface* iface : test::accessibleTree(window)) {
        if (iface->object() && !iface->object()->objectName().isEmpty())
            names[iface->object()->objectName()] = iface->text(QAccessible::Name);
    }
    return names;
}

// The three links of window as a keyboard or a screen reader uses them: Tab goes from one to the
// next, Enter on the focused one opens its page, and each reads as a link with a press action.
// Tab starts from the control before the first link.
inline void linksWorkWithoutAMouse(QWidget* window, QWidget* before, const UrlRecorder& urls) {
    const QStringList links = {QStringLiteral("沐梧工作室"), QStringLiteral("设计"),
                               QStringLiteral("诗集")};
    const QList<QUrl> targets = {kSiteUrl, kAuthorUrl, kPoetryUrl};
    before->setFocus(Qt::TabFocusReason);
    QWidget* at = before;
    for (int i = 0; i < links.size(); ++i) {
        QTest::keyClick(at, Qt::Key_Tab);
        at = window->focusWidget();
        QVERIFY(at);
        QCOMPARE(at->objectName(), links[i]);
        urls.clear();
        QTest::keyClick(at, i == 1 ? Qt::Key_Enter : Qt::Key_Return,
                        i == 1 ? Qt::KeypadModifier : Qt::NoModifier);
        QCOMPARE(urls.opened(), std::vector<QUrl>{targets[i]});

        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(at);
        QCOMPARE(iface->role(), QAccessible::Link);
        QCOMPARE(iface->text(QAccessible::Name), static_cast<QLabel*>(at)->text());
        QVERIFY(iface->state().focusable);
        QAccessibleActionInterface* actions = iface->actionInterface();
        QVERIFY(actions);
        QVERIFY(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
        urls.clear();
        actions->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(urls.opened(), std::vector<QUrl>{targets[i]});
    }
}

// A start whose main window has already come; created runs on it as the program's own start does.
inline std::unique_ptr<StartUp> startedWithMainWindow(
    Machine& m, std::function<void(MainWindow&)> created = {}) {
    StartUpOptions o = m.options(std::chrono::milliseconds(1));
    if (created)
        o.mainWindowCreated = std::move(created);
    auto s = std::make_unique<StartUp>(std::move(o));
    if (!QTest::qWaitFor([&] { return s->mainWindow() && s->mainWindow()->isVisible(); }))
        return nullptr;
    return s;
}

}  // namespace muwu::shell_test
