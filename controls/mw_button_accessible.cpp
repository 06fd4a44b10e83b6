// MWButton as assistive technology sees it: a push button named by its caption, with a press
// action that clicks it.
#include <QAccessibleWidget>

#include "controls/mw_button.h"

namespace muwu {

namespace {

class MWButtonAccessible : public QAccessibleWidget {
  public:
    explicit MWButtonAccessible(MWButton* button)
        : QAccessibleWidget(button, QAccessible::Button) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) {
            const QString name = button()->accessibleName();
            return name.isEmpty() ? button()->Caption() : name;
        }
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        if (!button()->Enabled()) {
            s.disabled = true;
            s.focusable = false;
        }
        return s;
    }

    QStringList actionNames() const override {
        QStringList names = QAccessibleWidget::actionNames();
        names.prepend(pressAction());
        return names;
    }

    void doAction(const QString& name) override {
        if (name == pressAction())
            button()->setValue(true);
        else
            QAccessibleWidget::doAction(name);
    }

    QStringList keyBindingsForAction(const QString& name) const override {
        if (name == pressAction())
            return {QStringLiteral("Space"), QStringLiteral("Enter")};
        return QAccessibleWidget::keyBindingsForAction(name);
    }

  private:
    MWButton* button() const { return static_cast<MWButton*>(widget()); }
};

QAccessibleInterface* mwButtonFactory(const QString&, QObject* object) {
    if (auto* b = qobject_cast<MWButton*>(object))
        return new MWButtonAccessible(b);
    return nullptr;
}

}  // namespace

void installMWButtonAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(mwButtonFactory);
        return true;
    }();
    (void)installed;
}

}  // namespace muwu
