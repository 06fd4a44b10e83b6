#include "shell/link_actions.h"

#include <QDesktopServices>
#include <QFile>

#include "platform/qt_text.h"

namespace muwu {

namespace {

QUrl urlOf(const LinkTarget& target) {
    if (target.isLocal())
        return QUrl::fromLocalFile(QFile::decodeName(target.file.c_str()));
    // An address given without a scheme, or a local path in MUWU_SITE, is read as a user would.
    return QUrl::fromUserInput(QString::fromStdString(target.address));
}

}  // namespace

UrlOpener desktopUrlOpener() {
    return [](const QUrl& target) { QDesktopServices::openUrl(target); };
}

LinkActions::LinkActions(std::filesystem::path programFolder, std::string site, UrlOpener open,
                         SettingsStore store)
    : programFolder_(std::move(programFolder)),
      site_(std::move(site)),
      open_(std::move(open)),
      store_(std::move(store)) {}

void LinkActions::siteLink() noexcept {
    open(LinkTarget{{}, site_});
    record(kSiteOpenedKey);
}

void LinkActions::authorLink() noexcept {
    open(linkTarget(programFolder_, kAuthorFile, site_, kAuthorPage));
    record(kAuthorOpenedKey);
}

void LinkActions::poetryLink() noexcept {
    open(linkTarget(programFolder_, kPoetryFile, site_, kPoetryPage));
}

void LinkActions::siteLinkOnce() noexcept {
    if (!done(kSiteOpenedKey))
        siteLink();
}

void LinkActions::authorLinkOnce() noexcept {
    if (!done(kAuthorOpenedKey))
        authorLink();
}

QString LinkActions::siteTip() const {
    return urlOf(LinkTarget{{}, site_}).toDisplayString();
}

QString LinkActions::authorTip() const {
    const LinkTarget t = linkTarget(programFolder_, kAuthorFile, site_, kAuthorPage);
    return t.isLocal() ? QFile::decodeName(t.file.c_str()) : urlOf(t).toDisplayString();
}

QString LinkActions::poetryTip() const {
    return urlOf(LinkTarget{{}, pageAddress(site_, kPoetryPage)}).toDisplayString();
}

void LinkActions::open(const LinkTarget& target) noexcept {
    // A missing browser or page is the desktop's business; the link carries on regardless.
    try {
        if (open_)
            open_(urlOf(target));
    } catch (...) {
    }
}

void LinkActions::record(std::u16string_view key) noexcept {
    try {
        (void)store_.setValue(qs(kSettingsSection), qs(key), qs(kTrue));
    } catch (...) {
    }
}

bool LinkActions::done(std::u16string_view key) const noexcept {
    try {
        if (!store_.readable())
            return true;
        const std::optional<QString> stored = store_.value(qs(kSettingsSection), qs(key));
        if (!stored)
            return visitDone(std::nullopt);
        const std::u16string text = stored->toStdU16String();
        return visitDone(std::u16string_view(text));
    } catch (...) {
        return true;
    }
}

}  // namespace muwu
