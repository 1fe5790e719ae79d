// SPDX-License-Identifier: MIT

#pragma once

#include <QMenu>

class QAbstractItemView;
class QUndoStack;

namespace quillory {

struct SelectedRowCommands;

/// The class list's menu, opened by the right button, the Menu key or Shift+F10: the commands
/// on the selected row, a new week, Undo and Redo. Each item shows its shortcut, which works
/// with the menu closed too; items that cannot act are disabled. The window connects the items
/// to its commands.
class ClassListMenu final : public QMenu {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ClassListMenu)

public:
    /// Builds the menu for the list; the window's shortcuts (new week, Undo, Redo) go to
    /// `window`, the others to the list.
    ClassListMenu(QAbstractItemView& list, QUndoStack& history, QWidget& window);

    /// Enables the items on the selected row that can act.
    void enableFor(const SelectedRowCommands& commands);

    /// "Edit Selected Class" (Enter).
    QAction* mnuEditClass;
    /// "Delete Selected Class" (Delete).
    QAction* mnuDeleteClass;
    /// "Move Up" (Alt+Up).
    QAction* mnuMoveUp;
    /// "Move Down" (Alt+Down).
    QAction* mnuMoveDown;
    /// "Start a New Week" (Ctrl+N).
    QAction* mnuNewWeek;
    /// "Earlier Lists": the lists that commands replaced, newest first, filled by the window.
    QMenu* mnuEarlierLists;
    /// "Undo" and what it undoes (Ctrl+Z).
    QAction* mnuUndo;
    /// "Redo" and what it redoes (Ctrl+Shift+Z, Ctrl+Y).
    QAction* mnuRedo;

private:
    bool eventFilter(QObject* watched, QEvent* event) override;
    QAction* addCommand(const QString& name, const QString& caption,
                        const QList<QKeySequence>& shortcuts, QWidget& owner);
    QPoint besideCurrentRow() const;

    QAbstractItemView& m_list;
};

} // namespace quillory
