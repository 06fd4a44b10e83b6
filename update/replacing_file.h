#pragma once
// A downloaded file written beside its target under a temporary name and renamed over the target
// only when committed. Until then the target stays as it was; whatever lies at the target's name,
// a symbolic link included, is replaced itself, never what a link points to.
#include <QByteArray>
#include <QString>
#include <QTemporaryFile>

namespace muwu {

class ReplacingFile {
  public:
    explicit ReplacingFile(QString target);
    // Drops the temporary file unless it was committed.
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    // Creates the temporary file in the target's folder; false when it cannot.
    bool open();
    bool write(const QByteArray& bytes);
    // Writes the data through to the disk and gives the file the target's name; false (and the
    // temporary file gone, the target untouched) when any of that failed.
    bool commit();
    void cancel();

    // Why the last step failed, in words.
    [[nodiscard]] const QString& errorString() const noexcept { return error_; }

  private:
    bool failWith(const QString& why);

    QString target_;
    QTemporaryFile temporary_;
    QString error_;
};

}  // namespace muwu
