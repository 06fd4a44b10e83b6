#include "shell/system_folders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPointer>
#include <QStandardPaths>

#include "shell/folder_map.h"

namespace muwu {

namespace {

QPointer<SystemFolders> theInstance;

std::vector<std::string> utf8(const QStringList& paths) {
    std::vector<std::string> out;
    out.reserve(static_cast<std::size_t>(paths.size()));
    for (const QString& p : paths)
        out.push_back(p.toStdString());
    return out;
}

// Per-user folders take only the user's own location: falling back to a system-wide folder would
// hand out a place the user may not write to and that means something else.
QStringList candidatesFor(FolderKind kind) {
    using SP = QStandardPaths;
    switch (kind) {
        case FolderKind::none:
            return {};
        case FolderKind::temp:
            return {SP::writableLocation(SP::TempLocation)};
        case FolderKind::desktop:
            return {SP::writableLocation(SP::DesktopLocation)};
        case FolderKind::documents:
            return {SP::writableLocation(SP::DocumentsLocation)};
        case FolderKind::applications:
            return {SP::writableLocation(SP::ApplicationsLocation)};
        case FolderKind::autostart:
            return {SP::writableLocation(SP::GenericConfigLocation) + QStringLiteral("/autostart")};
        case FolderKind::templates:
            return {SP::writableLocation(SP::TemplatesLocation)};
        case FolderKind::fonts:
            return SP::standardLocations(SP::FontsLocation);
        case FolderKind::genericData:
            return {SP::writableLocation(SP::GenericDataLocation)};
        case FolderKind::genericCache:
            return {SP::writableLocation(SP::GenericCacheLocation)};
    }
    return {};
}

void destroyInstance() {
    delete theInstance.data();
}

}  // namespace

SystemFolders::SystemFolders() {
    setObjectName(QStringLiteral("系统目录"));
    setWindowTitle(QStringLiteral("系统目录"));
    for (const FolderBox& b : kFolderBoxes) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString::fromStdU16String(std::u16string(b.name)));
    }
    load();
}

SystemFolders& SystemFolders::instance() {
    if (!theInstance) {
        theInstance = new SystemFolders;
        // A window must go before the application object; ending the program takes it along.
        qAddPostRoutine(destroyInstance);
    }
    return *theInstance;
}

QString SystemFolders::text(const QString& box) {
    const QLineEdit* edit = instance().box(box);
    return edit ? edit->text() : QString();
}

QLineEdit* SystemFolders::box(const QString& name) const {
    return findChild<QLineEdit*>(name, Qt::FindDirectChildrenOnly);
}

void SystemFolders::load() {
    const auto isFolder = [](const std::string& path) {
        return QFileInfo(QString::fromStdString(path)).isDir();
    };
    for (const FolderBox& b : kFolderBoxes) {
        const std::string path = folderBoxText(b.kind, utf8(candidatesFor(b.kind)), isFolder);
        box(QString::fromStdU16String(std::u16string(b.name)))
            ->setText(QString::fromStdString(path));
    }
}

}  // namespace muwu
