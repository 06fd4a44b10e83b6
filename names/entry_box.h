#pragma once
// A read-only box for luck texts. Its font and line pitch are chosen so that every entry of the
// luck table fits whole, its closing verdict line included, without scrolling and without a line
// cut through: the design's 宋体 line (12 px characters on a 14 px pitch at 9 pt) where that fits,
// tighter lines and then a slightly smaller font where the box is too small for it.
#include <QFont>
#include <QStringList>
#include <QTextEdit>

namespace muwu {

// Font size and line pitch of a box.
struct EntryLook {
    double pointSize = 0;
    int pitch = 0;  // pixels from one line to the next
};

class EntryBox : public QTextEdit {
    Q_OBJECT
  public:
    // Room between the box's edge and its text.
    static constexpr int kMargin = 2;

    explicit EntryBox(QWidget* parent);

    // Chooses the look for the box's present size, starting from designFont, so that every one of
    // entries fits whole.
    void fitEntries(const QFont& designFont, const QStringList& entries);
    [[nodiscard]] const EntryLook& look() const noexcept { return look_; }

    // Shows a text with the chosen line pitch.
    void setEntry(const QString& text);

  private:
    EntryLook look_;
};

// The largest look not above the design's for which every entry fits in a viewport of that size:
// first the pitch shrinks towards the characters' own height, then the size in quarter points.
[[nodiscard]] EntryLook fitEntryLook(const QFont& designFont, double dotsPerInch,
                                     const QSize& viewport, const QStringList& entries);

}  // namespace muwu
