// SPDX-License-Identifier: MIT

#pragma once

#include <QObject>

#include <initializer_list>

class QMenu;
class QUndoStack;

namespace quillory {

/// Makes the window's undo history the one its text controls answer to: Ctrl+Z, Ctrl+Shift+Z
/// and Ctrl+Y in them undo and redo the window's latest change, whatever it was, and so do
/// Undo and Redo in their menus. A text box would otherwise undo its own typing alone, out of
/// the order in which the changes were made.
class HistoryKeys final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(HistoryKeys)

public:
    /// Takes over the keys and menus of the text controls (line edits and spin boxes), for as
    /// long as `parent` lives.
    HistoryKeys(QUndoStack& history, std::initializer_list<QWidget*> textControls, QObject* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void takeOverMenu(QMenu& menu);

    QUndoStack& m_history;
};

} // namespace quillory
