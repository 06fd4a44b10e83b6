#include "platform/label_access.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>
#include <QTextDocumentFragment>
#include <algorithm>

namespace muwu {

namespace {

constexpr const char* kExposed = "muwuLabelText";

class LabelTextInterface final : public QAccessibleWidget, public QAccessibleTextInterface {
  public:
    explicit LabelTextInterface(QLabel* label)
        : QAccessibleWidget(label, QAccessible::StaticText) {}

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }
    [[nodiscard]] QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return shown();
        return QAccessibleWidget::text(t);
    }

    // Read only, with neither selection nor caret.
    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    [[nodiscard]] int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    [[nodiscard]] int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    [[nodiscard]] QString text(int start, int end) const override {
        const QString s = shown();
        start = std::clamp(start, 0, int(s.size()));
        end = std::clamp(end, start, int(s.size()));
        return s.mid(start, end - start);
    }
    [[nodiscard]] int characterCount() const override { return int(shown().size()); }
    [[nodiscard]] QRect characterRect(int) const override { return {}; }
    [[nodiscard]] int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    [[nodiscard]] QString attributes(int, int* start, int* end) const override {
        *start = 0;
        *end = characterCount();
        return {};
    }

  private:
    // The text as it reads on the screen.
    [[nodiscard]] QString shown() const {
        const auto* label = static_cast<const QLabel*>(widget());
        if (label->textFormat() == Qt::RichText ||
            (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(label->text())))
            return QTextDocumentFragment::fromHtml(label->text()).toPlainText();
        return label->text();
    }
};

QAccessibleInterface* factory(const QString& className, QObject* object) {
    auto* label = qobject_cast<QLabel*>(object);
    if (label && label->property(kExposed).toBool() &&
        className == QLatin1String(label->metaObject()->className()))
        return new LabelTextInterface(label);
    return nullptr;
}

}  // namespace

void exposeLabelText(QLabel* label) {
    static const bool installed = [] {
        QAccessible::installFactory(&factory);
        return true;
    }();
    (void)installed;
    label->setProperty(kExposed, true);
    // An interface Qt made before the mark (a caption set tells a screen reader) would be kept
    // for good, so it goes now.
    QAccessibleInterface* made = QAccessible::queryAccessibleInterface(label);
    if (made && !dynamic_cast<LabelTextInterface*>(made))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
}

}  // namespace muwu
