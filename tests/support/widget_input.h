#pragma once
// What window tests do as a user does: type into a field key by key, click where the window
// system would deliver the click, and walk what a screen reader sees.
#include <QAccessible>
#include <QLineEdit>
#include <QList>
#include <QString>
#include <QTest>
#include <QWidget>
#include <QWindow>

namespace muwu::test {

// One key event per character; a surrogate pair is one character.
inline void typeText(QWidget* target, const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype n = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, text.mid(i, n), Qt::NoModifier);
        i += n - 1;
    }
}

// Focus, select all, erase, and type the new text.
inline void retype(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    typeText(edit, text);
}

// Through the top-level window, so a modal box in the way takes the click as it would on screen.
inline void clickOnScreen(QWidget* w) {
    QWidget* top = w->window();
    QTest::mouseClick(top->windowHandle(), Qt::LeftButton, {}, w->mapTo(top, w->rect().center()));
}

// The root and every interface below it, depth first.
inline QList<QAccessibleInterface*> accessibleTree(QAccessibleInterface* root) {
    QList<QAccessibleInterface*> all;
    if (!root)
        return all;
    all.append(root);
    for (int i = 0; i < root->childCount(); ++i)
        all += accessibleTree(root->child(i));
    return all;
}

inline QList<QAccessibleInterface*> accessibleTree(QWidget* window) {
    return accessibleTree(QAccessible::queryAccessibleInterface(window));
}

}  // namespace muwu::test
