// SPDX-License-Identifier: MIT

#include "app/list_menu.h"

#include "homework/command_kind.h"
#include "session/list_commands.h"

#include <QAbstractItemView>
#include <QContextMenuEvent>
#include <QUndoStack>

namespace quillory {

using namespace Qt::StringLiterals;

ClassListMenu::ClassListMenu(QAbstractItemView& list, QUndoStack& history, QWidget& window)
    : QMenu(&window)
    , m_list(list)
{
    setObjectName(u"mnuList"_s);
    mnuEditClass = addCommand(u"mnuEditClass"_s, commandCaption(CommandKind::EditClass),
                              {Qt::Key_Enter, Qt::Key_Return}, list);
    mnuDeleteClass = addCommand(u"mnuDeleteClass"_s, commandCaption(CommandKind::DeleteClass),
                                {Qt::Key_Delete}, list);
    mnuMoveUp = addCommand(u"mnuMoveUp"_s, commandCaption(CommandKind::MoveUp),
                           {Qt::ALT | Qt::Key_Up}, list);
    mnuMoveDown = addCommand(u"mnuMoveDown"_s, commandCaption(CommandKind::MoveDown),
                             {Qt::ALT | Qt::Key_Down}, list);
    addSeparator();
    mnuNewWeek = addCommand(u"mnuNewWeek"_s, commandCaption(CommandKind::NewWeek),
                            {Qt::CTRL | Qt::Key_N}, window);
    mnuEarlierLists = addMenu(u"Earlier Lists"_s);
    mnuEarlierLists->setObjectName(u"mnuEarlierLists"_s);
    mnuEarlierLists->menuAction()->setEnabled(false);
    addSeparator();
    // The stack keeps their captions ("Undo Delete Selected Class") and states up to date.
    mnuUndo = history.createUndoAction(this);
    mnuRedo = history.createRedoAction(this);
    mnuUndo->setObjectName(u"mnuUndo"_s);
    mnuRedo->setObjectName(u"mnuRedo"_s);
    mnuUndo->setShortcut(Qt::CTRL | Qt::Key_Z);
    mnuRedo->setShortcuts({Qt::CTRL | Qt::SHIFT | Qt::Key_Z, Qt::CTRL | Qt::Key_Y});
    addActions({mnuUndo, mnuRedo});
    window.addActions({mnuUndo, mnuRedo});

    auto* keyboardOpening = new QAction(this);
    keyboardOpening->setShortcut(Qt::SHIFT | Qt::Key_F10);
    keyboardOpening->setShortcutContext(Qt::WidgetShortcut);
    list.addAction(keyboardOpening);
    connect(keyboardOpening, &QAction::triggered, this, [this] { popup(besideCurrentRow()); });
    list.installEventFilter(this);
    list.viewport()->installEventFilter(this);
    enableFor({});
}

QAction* ClassListMenu::addCommand(const QString& name, const QString& caption,
                                   const QList<QKeySequence>& shortcuts, QWidget& owner)
{
    QAction* action = addAction(caption);
    action->setObjectName(name);
    action->setShortcuts(shortcuts);
    // The list's own keys work while the list has the focus; the window's anywhere in it.
    action->setShortcutContext(&owner == &m_list ? Qt::WidgetShortcut : Qt::WindowShortcut);
    owner.addAction(action);
    return action;
}

void ClassListMenu::enableFor(const SelectedRowCommands& commands)
{
    mnuEditClass->setEnabled(commands.edit);
    mnuDeleteClass->setEnabled(commands.remove);
    mnuMoveUp->setEnabled(commands.moveUp);
    mnuMoveDown->setEnabled(commands.moveDown);
}

QPoint ClassListMenu::besideCurrentRow() const
{
    const QRect row = m_list.visualRect(m_list.currentIndex());
    return m_list.viewport()->mapToGlobal(row.isValid() ? row.bottomLeft() : QPoint());
}

bool ClassListMenu::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::ContextMenu)
        return QMenu::eventFilter(watched, event);
    // The Menu key asks at the mouse pointer; the menu belongs beside the row it acts on.
    const auto* request = static_cast<QContextMenuEvent*>(event);
    popup(request->reason() == QContextMenuEvent::Mouse ? request->globalPos()
                                                        : besideCurrentRow());
    return true;
}

} // namespace quillory
