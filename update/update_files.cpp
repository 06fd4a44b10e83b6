#include "update/update_files.h"

#include <QDir>
#include <QStandardPaths>

namespace muwu {

QString makeDownloadFolder(const QString& documents) {
    QString base = documents;
    while (base.size() > 1 && (base.endsWith(u'/') || base.endsWith(u'\\')))
        base.chop(1);
    if (base.isEmpty())
        base = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (base.isEmpty())
        base = QDir::homePath();
    const QString folder = base + QStringLiteral("/沐梧取名器");
    QDir().mkpath(folder);
    return folder;
}

}  // namespace muwu
