#include "shell/settings_store.h"

#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>
#include <QVariant>

namespace muwu {

QString SettingsStore::defaultFile(const QString& application) {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/muwu/") + application + QStringLiteral(".ini");
}

bool SettingsStore::readable() const {
    const QFileInfo info(file_);
    if (!info.exists())
        return true;
    if (!info.isFile() || !info.isReadable())
        return false;
    const QSettings settings(file_, QSettings::IniFormat);
    return settings.status() != QSettings::AccessError;
}

std::optional<QString> SettingsStore::value(const QString& section, const QString& key) const {
    if (!readable())
        return std::nullopt;
    const QSettings settings(file_, QSettings::IniFormat);
    const QString path = section + QLatin1Char('/') + key;
    if (!settings.contains(path))
        return std::nullopt;
    const QVariant v = settings.value(path);
    if (v.typeId() == QMetaType::QStringList)
        return v.toStringList().join(QStringLiteral(", "));
    if (v.typeId() == QMetaType::QByteArray)
        return QString::fromUtf8(v.toByteArray());
    return v.toString();
}

bool SettingsStore::setValue(const QString& section, const QString& key,
                             const QString& text) const {
    if (!readable())
        return false;
    QSettings settings(file_, QSettings::IniFormat);
    settings.setValue(section + QLatin1Char('/') + key, text);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

}  // namespace muwu
