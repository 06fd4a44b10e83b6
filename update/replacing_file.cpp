#include "update/replacing_file.h"

#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>

#include "platform/error_text.h"

namespace muwu {

ReplacingFile::ReplacingFile(QString target) : target_(std::move(target)) {}

ReplacingFile::~ReplacingFile() {
    cancel();
}

bool ReplacingFile::failWith(const QString& why) {
    error_ = why;
    cancel();
    return false;
}

bool ReplacingFile::open() {
    const QFileInfo info(target_);
    if (info.isDir() && !info.isSymLink())
        return failWith(QStringLiteral("那里是一个文件夹"));
    // Hidden, and named after the target so that a leftover says where it came from.
    temporary_.setFileTemplate(info.absolutePath() + QStringLiteral("/.") + info.fileName() +
                               QStringLiteral(".XXXXXX"));
    temporary_.setAutoRemove(true);
    if (!temporary_.open())
        return failWith(temporary_.errorString());
    // As a file the user saves: readable by others, written by its owner.
    temporary_.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                              QFile::ReadOther);
    return true;
}

bool ReplacingFile::write(const QByteArray& bytes) {
    if (!temporary_.isOpen())
        return failWith(QStringLiteral("文件没有打开"));
    if (temporary_.write(bytes) != bytes.size())
        return failWith(temporary_.errorString());
    return true;
}

bool ReplacingFile::commit() {
    if (!temporary_.isOpen())
        return failWith(QStringLiteral("文件没有打开"));
    if (!temporary_.flush())
        return failWith(temporary_.errorString());
    if (::fsync(temporary_.handle()) != 0)
        return failWith(QString::fromStdString(systemErrorText(errno)));
    const QByteArray from = QFile::encodeName(temporary_.fileName());
    temporary_.close();
    // rename replaces the name itself: a link in the target's place goes, its target stays.
    if (std::rename(from.constData(), QFile::encodeName(target_).constData()) != 0)
        return failWith(QString::fromStdString(systemErrorText(errno)));
    temporary_.setAutoRemove(false);
    return true;
}

void ReplacingFile::cancel() {
    if (temporary_.autoRemove() && !temporary_.fileName().isEmpty())
        temporary_.remove();
}

}  // namespace muwu
