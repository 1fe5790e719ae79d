// SPDX-License-Identifier: MIT

#pragma once

#include "homework/command_kind.h"

#include <QUndoCommand>

namespace quillory {

/// A step of the week's undo history, named by what kind of change it made.
class HistoryStep : public QUndoCommand {
public:
    /// A step of this kind, captioned as Undo and Redo name it.
    explicit HistoryStep(CommandKind kind)
        : QUndoCommand(commandCaption(kind))
        , m_kind(kind)
    {
    }

    /// What kind of change it made.
    CommandKind kind() const { return m_kind; }

private:
    CommandKind m_kind;
};

} // namespace quillory
