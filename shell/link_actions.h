#pragma once
// The three links of the cover and the about box: the maker's site, the author's page and the
// poetry program. Each opens its target with the desktop's default handler and never reports a
// failure; the site and author links remember that they ran.
#include <QString>
#include <QUrl>
#include <filesystem>
#include <functional>
#include <string>

#include "shell/links.h"
#include "shell/settings_store.h"

namespace muwu {

// Opens an address or a local file (as a file: URL); the outcome is not asked for.
using UrlOpener = std::function<void(const QUrl& target)>;

// The desktop's handler for the kind of target: the web browser for a web address.
[[nodiscard]] UrlOpener desktopUrlOpener();

class LinkActions {
  public:
    // programFolder holds the optional local pages; site is the maker's site address.
    LinkActions(std::filesystem::path programFolder, std::string site, UrlOpener open,
                SettingsStore store);

    void siteLink() noexcept;
    void authorLink() noexcept;
    void poetryLink() noexcept;

    // The cover's once-only visits: each link runs only while its key says it has not run yet.
    // Nothing runs when the store cannot be read, since it could not be recorded either.
    void siteLinkOnce() noexcept;
    void authorLinkOnce() noexcept;

    // Tooltips of the labels: the site, the author's page as a click would open it, and the
    // poetry page.
    [[nodiscard]] QString siteTip() const;
    [[nodiscard]] QString authorTip() const;
    [[nodiscard]] QString poetryTip() const;

    [[nodiscard]] const SettingsStore& store() const noexcept { return store_; }

  private:
    void open(const LinkTarget& target) noexcept;
    void record(std::u16string_view key) noexcept;
    [[nodiscard]] bool done(std::u16string_view key) const noexcept;

    std::filesystem::path programFolder_;
    std::string site_;
    UrlOpener open_;
    SettingsStore store_;
};

}  // namespace muwu
