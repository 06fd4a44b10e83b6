#pragma once
// What the shell's window tests share: a start-up with a recording opener, its own settings file
// and folder for local pages, and the real data for the main window.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <memory>
#include <stdexcept>
#include <vector>

#include "names/main_window.h"
#include "platform/data_folder.h"
#include "shell/settings_store.h"
#include "shell/start_up.h"

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

// A start whose main window has already come.
inline std::unique_ptr<StartUp> startedWithMainWindow(Machine& m) {
    auto s = std::make_unique<StartUp>(m.options(std::chrono::milliseconds(1)));
    if (!QTest::qWaitFor([&] { return s->mainWindow() && s->mainWindow()->isVisible(); }))
        return nullptr;
    return s;
}

}  // namespace muwu::shell_test
