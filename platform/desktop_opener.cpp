#include "platform/desktop_opener.h"

#include <QDesktopServices>
#include <QFile>
#include <QString>
#include <QUrl>

namespace muwu {

FileOpener desktopOpener() {
    return [](const std::filesystem::path& file) {
        QDesktopServices::openUrl(QUrl::fromLocalFile(QFile::decodeName(file.c_str())));
    };
}

}  // namespace muwu
