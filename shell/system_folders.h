#pragma once
// 系统目录: the hidden window that holds the system folders, one text box each. It exists once per
// program, is created and filled the first time anything reads it, and is never shown.
#include <QString>
#include <QWidget>

class QLineEdit;

namespace muwu {

class SystemFolders : public QWidget {
    Q_OBJECT
  public:
    // The one instance, created and filled on first use; it lives until the application ends.
    [[nodiscard]] static SystemFolders& instance();

    // Text of the box of that name (txtDesktop, txtDocument, …); empty for a name that is no box.
    [[nodiscard]] static QString text(const QString& box);

    [[nodiscard]] QLineEdit* box(const QString& name) const;

  private:
    SystemFolders();
    void load();
};

using 系统目录 = SystemFolders;

}  // namespace muwu
