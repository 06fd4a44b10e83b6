#include "platform/accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QGroupBox>
#include <QMenu>
#include <algorithm>

#include "platform/fit_label.h"
#include "platform/press_label.h"
#include "platform/text_label.h"

namespace muwu {

namespace {

constexpr const char* kShownOnly = "muwuShownChildrenOnly";

// A label read through the text interface too: its text, with no selection and no cursor. Only
// what the label shows is offered, so the offsets are those of its plain text.
class LabelTextInterface : public QAccessibleWidget, public QAccessibleTextInterface {
  public:
    explicit LabelTextInterface(QLabel* label)
        : QAccessibleWidget(label, QAccessible::StaticText) {}

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    [[nodiscard]] int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    [[nodiscard]] int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    [[nodiscard]] QString text(int start, int end) const override {
        const QString all = shown();
        start = std::clamp(start, 0, int(all.size()));
        end = std::clamp(end < 0 ? int(all.size()) : end, start, int(all.size()));
        return all.mid(start, end - start);
    }
    [[nodiscard]] int characterCount() const override { return int(shown().size()); }
    [[nodiscard]] QRect characterRect(int) const override { return {}; }
    [[nodiscard]] int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    [[nodiscard]] QString attributes(int offset, int* start, int* end) const override {
        *start = *end = offset;
        return {};
    }

    // QAccessibleWidget has a text() of its own.
    using QAccessibleWidget::text;

  protected:
    [[nodiscard]] QString shown() const { return static_cast<const QLabel*>(widget())->text(); }
};

// A label named by its text, whatever its object is called.
class TextLabelInterface final : public LabelTextInterface {
  public:
    explicit TextLabelInterface(TextLabel* label) : LabelTextInterface(label) {}

    [[nodiscard]] QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return shown();
        return QAccessibleWidget::text(t);
    }
};

class FitLabelInterface final : public LabelTextInterface {
  public:
    explicit FitLabelInterface(FitLabel* label) : LabelTextInterface(label) {}

    [[nodiscard]] QString text(QAccessible::Text t) const override {
        const auto* label = static_cast<const FitLabel*>(widget());
        if (t != QAccessible::Name || !label->accessibleName().isEmpty())
            return QAccessibleWidget::text(t);
        if (label->caption().isEmpty())
            return label->text();
        if (label->text().isEmpty())
            return label->caption();
        return label->caption() + QStringLiteral("：") + label->text();
    }
};

class PressLabelInterface final : public QAccessibleWidget {
  public:
    explicit PressLabelInterface(PressLabel* label)
        : QAccessibleWidget(label, label->kind() == PressLabel::Kind::link ? QAccessible::Link
                                                                           : QAccessible::Button) {}

    [[nodiscard]] QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return static_cast<const QLabel*>(widget())->text();
        return QAccessibleWidget::text(t);
    }
    [[nodiscard]] QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.hasPopup =
            static_cast<const PressLabel*>(widget())->kind() == PressLabel::Kind::menuButton;
        return s;
    }
    [[nodiscard]] QStringList actionNames() const override {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override {
        if (action == pressAction())
            static_cast<PressLabel*>(widget())->press();
        else
            QAccessibleWidget::doAction(action);
    }
    [[nodiscard]] QStringList keyBindingsForAction(const QString& action) const override {
        if (action == pressAction())
            return {QStringLiteral("Enter"), QStringLiteral("Space")};
        return QAccessibleWidget::keyBindingsForAction(action);
    }
};

// A window or frame that lists only the children it shows.
class ShownChildrenInterface final : public QAccessibleWidget {
  public:
    explicit ShownChildrenInterface(QWidget* w) : QAccessibleWidget(w, roleOf(w)) {}

    [[nodiscard]] QString text(QAccessible::Text t) const override {
        // A frame is named by its own caption, not by that of the frame around it.
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty()) {
            if (const auto* frame = qobject_cast<const QGroupBox*>(widget()))
                return frame->title();
        }
        return QAccessibleWidget::text(t);
    }
    [[nodiscard]] int childCount() const override { return int(shown().size()); }
    [[nodiscard]] QAccessibleInterface* child(int index) const override {
        const QList<QWidget*> kids = shown();
        if (index < 0 || index >= kids.size())
            return nullptr;
        return QAccessible::queryAccessibleInterface(kids.at(index));
    }
    [[nodiscard]] int indexOfChild(const QAccessibleInterface* child) const override {
        if (!child || !child->object() || !child->object()->isWidgetType())
            return -1;
        return int(shown().indexOf(static_cast<QWidget*>(child->object())));
    }

  private:
    static QAccessible::Role roleOf(const QWidget* w) {
        if (w->isWindow())
            return w->windowType() == Qt::Dialog ? QAccessible::Dialog : QAccessible::Window;
        return qobject_cast<const QGroupBox*>(w) ? QAccessible::Grouping : QAccessible::Client;
    }

    // The controls it shows, then any pop-up menu of its own that is open: Qt lists a pop-up
    // nowhere, and a screen reader walking down from the window would not find it.
    [[nodiscard]] QList<QWidget*> shown() const {
        QList<QWidget*> kids, menus;
        for (QObject* o : widget()->children()) {
            auto* w = qobject_cast<QWidget*>(o);
            if (!w || w->isHidden())
                continue;
            if (qobject_cast<QMenu*>(w))
                menus.append(w);
            else if (!w->isWindow())
                kids.append(w);
        }
        return kids + menus;
    }
};

QAccessibleInterface* factory(const QString& className, QObject* object) {
    auto* w = qobject_cast<QWidget*>(object);
    if (!w)
        return nullptr;
    if (className == QLatin1String("muwu::FitLabel"))
        return new FitLabelInterface(static_cast<FitLabel*>(w));
    if (className == QLatin1String("muwu::TextLabel"))
        return new TextLabelInterface(static_cast<TextLabel*>(w));
    if (className == QLatin1String("muwu::PressLabel"))
        return new PressLabelInterface(static_cast<PressLabel*>(w));
    // Asked for the most derived class first, so this wins over the kind's own interface.
    if (w->property(kShownOnly).toBool() &&
        className == QLatin1String(w->metaObject()->className()))
        return new ShownChildrenInterface(w);
    return nullptr;
}

}  // namespace

void installAccessibleInterfaces() {
    static const bool installed = [] {
        QAccessible::installFactory(&factory);
        return true;
    }();
    (void)installed;
}

void showOnlyShownChildren(QWidget* root) {
    installAccessibleInterfaces();
    QList<QWidget*> marked{root};
    for (QGroupBox* frame : root->findChildren<QGroupBox*>())
        marked.append(frame);
    for (QWidget* w : marked) {
        w->setProperty(kShownOnly, true);
        // Qt may have made the usual interface while the window was being built (a caption set
        // tells a screen reader); it would be kept for good, so it goes now.
        QAccessibleInterface* made = QAccessible::queryAccessibleInterface(w);
        if (made && !dynamic_cast<ShownChildrenInterface*>(made))
            QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
    }
}

}  // namespace muwu
