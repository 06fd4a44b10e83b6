#pragma once
// The per-user settings store: one INI file per application, addressed by section and key, values
// as text. Every call opens the file afresh, so two windows never hold stale copies.
#include <QString>
#include <optional>

namespace muwu {

class SettingsStore {
  public:
    // $XDG_CONFIG_HOME/muwu/<application>.ini (~/.config/muwu/… by default).
    [[nodiscard]] static QString defaultFile(const QString& application);

    explicit SettingsStore(QString file) : file_(std::move(file)) {}

    [[nodiscard]] const QString& file() const noexcept { return file_; }

    // False when something lies at the file's place that cannot be read (a folder, a file without
    // read permission): nothing is known about its keys then, not even that they are missing.
    [[nodiscard]] bool readable() const;

    // The stored text; nullopt for a missing key or an unreadable store. A list the INI syntax
    // made of a value ("a, b") comes back as written.
    [[nodiscard]] std::optional<QString> value(const QString& section, const QString& key) const;

    // Stores the text; false when it could not be written. An unreadable store is left alone,
    // since writing would replace what could not be read.
    bool setValue(const QString& section, const QString& key, const QString& text) const;

  private:
    QString file_;
};

}  // namespace muwu
