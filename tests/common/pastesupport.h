#pragma once

// Pasting into a field the three ways a user does: Ctrl+V, Shift+Insert and "Paste" of the
// field's right-click menu.

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QtTest/QTest>

enum class PasteRoute { CtrlV, ShiftInsert, Menu };

inline QString routeName(PasteRoute route)
{
    switch (route) {
    case PasteRoute::CtrlV:
        return QStringLiteral("Ctrl+V");
    case PasteRoute::ShiftInsert:
        return QStringLiteral("Shift+Insert");
    case PasteRoute::Menu:
        break;
    }
    return QStringLiteral("menu");
}

// Puts text on the clipboard and pastes it into edit (which has the focus) by route. Answers
// false when the right-click menu did not come up or had no paste entry.
inline bool pasteInto(QLineEdit* edit, const QString& text, PasteRoute route)
{
    QApplication::clipboard()->setText(text);
    switch (route) {
    case PasteRoute::CtrlV:
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        return true;
    case PasteRoute::ShiftInsert:
        QTest::keyClick(edit, Qt::Key_Insert, Qt::ShiftModifier);
        return true;
    case PasteRoute::Menu:
        break;
    }
    const QPoint at(4, 4);
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, edit->mapToGlobal(at));
    QApplication::sendEvent(edit, &event);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (!menu)
        return false;
    // The menu's entries carry their shortcut after a tab: "&Paste\tCtrl+V".
    const QString pasteKey =
        QLatin1Char('\t') + QKeySequence(QKeySequence::Paste).toString(QKeySequence::NativeText);
    QAction* paste = nullptr;
    for (QAction* action : menu->actions()) {
        if (action->text().endsWith(pasteKey))
            paste = action;
    }
    if (paste)
        paste->trigger();
    menu->close();
    return paste != nullptr;
}
