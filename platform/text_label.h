#pragma once
// A label whose text is what it says: a screen reader reads the text as its name and through the
// text interface, whatever the label is called in code (a notice, a count, a status line).
#include <QLabel>

namespace muwu {

class TextLabel : public QLabel {
    Q_OBJECT
  public:
    explicit TextLabel(QWidget* parent = nullptr);
    TextLabel(const QString& text, QWidget* parent);
};

}  // namespace muwu
