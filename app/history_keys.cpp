// SPDX-License-Identifier: MIT

#include "app/history_keys.h"

#include "app/date_picker.h"

#include <QChildEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QUndoStack>

namespace quillory {

using namespace Qt::StringLiterals;

namespace {

const QKeySequence UndoKeys(Qt::CTRL | Qt::Key_Z);
const QKeySequence RedoKeys(Qt::CTRL | Qt::SHIFT | Qt::Key_Z);

bool isHistoryKey(const QKeyEvent& key)
{
    return key.matches(QKeySequence::Undo) || key.matches(QKeySequence::Redo) ||
           QKeySequence(key.keyCombination()) == UndoKeys ||
           QKeySequence(key.keyCombination()) == RedoKeys ||
           key.keyCombination() == (Qt::CTRL | Qt::Key_Y);
}

// The date picker that `watched` is, or holds the text of, when it has typing pending.
DatePicker* pickerWithTyping(QObject* watched)
{
    auto* picker = qobject_cast<DatePicker*>(watched);
    if (!picker && watched)
        picker = qobject_cast<DatePicker*>(watched->parent());
    return picker && picker->hasTypingPending() ? picker : nullptr;
}

// The text box's own items, by the names newer Qt gives them or by their captions.
bool isItem(const QAction& action, const QString& name, const QString& caption)
{
    return action.objectName() == name || action.text().startsWith(caption);
}

} // namespace

HistoryKeys::HistoryKeys(QUndoStack& history, std::initializer_list<QWidget*> textControls,
                         QObject* parent)
    : QObject(parent)
    , m_history(history)
{
    for (QWidget* control : textControls) {
        control->installEventFilter(this);
        // A spin box's menu is made by the line edit inside it.
        if (auto* inside = control->findChild<QLineEdit*>())
            inside->installEventFilter(this);
    }
}

bool HistoryKeys::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        if (!isHistoryKey(*static_cast<QKeyEvent*>(event)))
            return false;
        // A date typed and not yet taken is the latest change: Undo takes the typing back.
        if (DatePicker* picker = pickerWithTyping(watched);
            picker && static_cast<QKeyEvent*>(event)->matches(QKeySequence::Undo)) {
            picker->takeBackTyping();
            event->accept();
            return true;
        }
        event->ignore(); // the window's Undo and Redo take the key
        return true;
    case QEvent::KeyPress:
        // Here only when the history has nothing to undo or redo.
        return isHistoryKey(*static_cast<QKeyEvent*>(event));
    case QEvent::ChildPolished:
        // A menu is polished just before it shows, with its items in place.
        if (auto* menu = qobject_cast<QMenu*>(static_cast<QChildEvent*>(event)->child()))
            takeOverMenu(*menu);
        return false;
    default: return QObject::eventFilter(watched, event);
    }
}

void HistoryKeys::takeOverMenu(QMenu& menu)
{
    for (QAction* own : menu.actions()) {
        QAction* replacement = nullptr;
        if (isItem(*own, u"edit-undo"_s, QLineEdit::tr("&Undo"))) {
            replacement = m_history.createUndoAction(&menu);
            replacement->setShortcut(UndoKeys);
        } else if (isItem(*own, u"edit-redo"_s, QLineEdit::tr("&Redo"))) {
            replacement = m_history.createRedoAction(&menu);
            replacement->setShortcut(RedoKeys);
        } else {
            continue;
        }
        menu.insertAction(own, replacement);
        menu.removeAction(own);
    }
}

} // namespace quillory
