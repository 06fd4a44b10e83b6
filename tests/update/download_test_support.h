#pragma once
// What the download window tests share: recording prompts, opener and end, options pointing at a
// settings file of the test's own, and a local server.
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include <functional>
#include <memory>

#include "shell/settings_store.h"
#include "tests/support/recording_opener.h"
#include "tests/update/local_server.h"
#include "update/download_window.h"

namespace muwu::test {

struct Recorder {
    QStringList questions;
    QStringList messages;
    QList<QUrl> urls;
    RecordingOpener opener;  // the installer opener
    int ends = 0;
    bool answerOk = true;
    int slowCountAtQuestion = -1;
    DownloadWindow* window = nullptr;
};

inline DownloadWindowOptions recordingOptions(const std::shared_ptr<Recorder>& r,
                                              const QString& settingsFile) {
    DownloadWindowOptions o;
    o.settings = SettingsStore(settingsFile);
    o.site = QStringLiteral("http://site.invalid");
    o.openUrl = [r](const QUrl& u) { r->urls.push_back(u); };
    o.endProgram = [r] { ++r->ends; };
    o.prompts.okCancel = [r](QWidget*, const QString& title, const QString& text) {
        r->questions.push_back(title + QLatin1Char('|') + text);
        if (r->window)
            r->slowCountAtQuestion = r->window->SlowCount();
        return r->answerOk;
    };
    o.prompts.message = [r](QWidget*, const QString& title, const QString& text) {
        r->messages.push_back(title + QLatin1Char('|') + text);
    };
    return o;
}

inline QString qstr(const std::string& s) {
    return QString::fromStdString(s);
}

inline QByteArray readAll(const QString& file) {
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return "<missing>";
    return f.readAll();
}

inline void writeFile(const QString& file, const QByteArray& bytes) {
    QFile f(file);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
}

// Whether the status line shows bytes arriving.
inline bool showsProgress(const DownloadWindow& w) {
    return w.lblCount()->text().startsWith(QStringLiteral("已下载"));
}

// Runs action once the status line shows the transfer under way (bounded in time).
inline void whenUnderWay(DownloadWindow* w, std::function<void()> action) {
    auto* poll = new QTimer(w);
    auto started = std::make_shared<QElapsedTimer>();
    started->start();
    QObject::connect(poll, &QTimer::timeout, w, [w, poll, action, started] {
        if (showsProgress(*w) || started->elapsed() > 8000) {
            poll->stop();
            poll->deleteLater();
            action();
        }
    });
    poll->start(5);
}

// Names in a folder other than the ones given: what a transfer may have left behind.
inline QStringList strays(const QString& folder, const QStringList& expected) {
    QStringList left;
    for (const QString& n : QDir(folder).entryList(QDir::Files | QDir::Hidden))
        if (!expected.contains(n))
            left.push_back(n);
    return left;
}

}  // namespace muwu::test
