#include "names/entry_box.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

namespace muwu {

namespace {

// 宋体 9 pt: 12 px characters, 14 px from line to line.
constexpr double kDesignPitchPerEm = 14.0 / 12.0;
// Below this the lines of a CJK face touch.
constexpr double kLeastPitchPerEm = 1.08;
// The font is not made smaller than this share of its design size.
constexpr double kLeastSizeShare = 0.7;

void setPitch(QTextDocument& doc, int pitch) {
    QTextCursor all(&doc);
    all.select(QTextCursor::Document);
    QTextBlockFormat f;
    f.setLineHeight(pitch, QTextBlockFormat::FixedHeight);
    all.mergeBlockFormat(f);
}

bool allFit(const QFont& font, int pitch, const QSize& viewport, const QStringList& entries) {
    QTextDocument doc;
    doc.setUndoRedoEnabled(false);
    doc.setDefaultFont(font);
    doc.setDocumentMargin(EntryBox::kMargin);
    doc.setTextWidth(viewport.width());
    for (const QString& entry : entries) {
        doc.setPlainText(entry);
        setPitch(doc, pitch);
        if (doc.documentLayout()->documentSize().height() > viewport.height())
            return false;
    }
    return true;
}

}  // namespace

EntryLook fitEntryLook(const QFont& designFont, double dotsPerInch, const QSize& viewport,
                       const QStringList& entries) {
    // Windows are built alike, so each box size is worked out once per program.
    using Key = std::tuple<QString, double, int, int, qsizetype>;
    static std::map<Key, EntryLook> known;
    const Key key{designFont.key(), dotsPerInch, viewport.width(), viewport.height(),
                  entries.size()};
    if (const auto it = known.find(key); it != known.end())
        return it->second;

    // The longest texts first: they are the ones that fail.
    QStringList longest = entries;
    std::stable_sort(longest.begin(), longest.end(),
                     [](const QString& a, const QString& b) { return a.size() > b.size(); });
    const double design = designFont.pointSizeF();
    EntryLook look;
    for (double size = design; size >= design * kLeastSizeShare - 1e-9; size -= 0.25) {
        QFont font = designFont;
        font.setPointSizeF(size);
        const double em = size * dotsPerInch / 72.0;
        const int most = int(std::lround(em * kDesignPitchPerEm));
        const int least = int(std::ceil(em * kLeastPitchPerEm));
        for (int pitch = most; pitch >= least; --pitch) {
            look = {size, pitch};
            if (allFit(font, pitch, viewport, longest)) {
                known.emplace(key, look);
                return look;
            }
        }
    }
    // Nothing fits: the smallest look, and the box scrolls.
    known.emplace(key, look);
    return look;
}

EntryBox::EntryBox(QWidget* parent) : QTextEdit(parent) {
    setReadOnly(true);
    setAcceptRichText(false);
    setUndoRedoEnabled(false);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QTextEdit::WidgetWidth);
    document()->setDocumentMargin(kMargin);
    // Everything shows without scrolling; the keyboard passes the box by.
    setFocusPolicy(Qt::ClickFocus);
}

void EntryBox::fitEntries(const QFont& designFont, const QStringList& entries) {
    ensurePolished();
    look_ = fitEntryLook(designFont, logicalDpiY(), maximumViewportSize(), entries);
    QFont font = designFont;
    font.setPointSizeF(look_.pointSize);
    setFont(font);
    setEntry(toPlainText());
}

void EntryBox::setEntry(const QString& text) {
    if (look_.pitch <= 0) {
        setPlainText(text);
        return;
    }
    // Text typed in after the pitch is set takes it along: one layout instead of two.
    QTextDocument* doc = document();
    doc->clear();
    QTextCursor at(doc);
    QTextBlockFormat pitch;
    pitch.setLineHeight(look_.pitch, QTextBlockFormat::FixedHeight);
    at.setBlockFormat(pitch);
    at.insertText(text);
}

}  // namespace muwu
