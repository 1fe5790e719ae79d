// SPDX-License-Identifier: MIT

#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

namespace quillory {

/// What a step of the user changed in the week. The numbers are kept in the journal: never
/// renumber one.
enum class CommandKind : quint8 {
    AddClass = 1,        ///< "Add Class": a row appended by the editor
    EditClass = 2,       ///< "Edit Selected Class": a row's texts replaced by the editor
    DeleteClass = 3,     ///< "Delete Selected Class": the selected row removed
    ClearData = 4,       ///< "Clear/Reset Data": the name and the list emptied
    LoadSample = 5,      ///< "Load Sample/Example Data": the example week in place of all
    NewWeek = 6,         ///< "Start a New Week": the date a week on, every day emptied
    MoveUp = 7,          ///< "Move Up": the selected row one place up
    MoveDown = 8,        ///< "Move Down": the selected row one place down
    RestoreEarlier = 9,  ///< an earlier list chosen from "Earlier Lists"
    RecoverSession = 10, ///< the week the last run left unstored, brought back at start
    Typing = 11,         ///< a burst of typing in the name box
    DateChange = 12,     ///< a change of the date in the picker
};

/// The caption of a kind of change, as its button or menu item shows it and Undo names it.
QString commandCaption(CommandKind kind);

/// The kind a number stands for; nothing for a number no kind has.
std::optional<CommandKind> commandKindFrom(int number);

/// Whether the list a change of this kind replaces is kept as an earlier list.
bool keepsReplacedList(CommandKind kind);

} // namespace quillory
