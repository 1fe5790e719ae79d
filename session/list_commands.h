// SPDX-License-Identifier: MIT

#pragma once

#include "session/data_change.h"
#include "homework/class_editor.h"

#include <optional>

namespace quillory {

class HomeworkListModel;

/// What the commands work on: the class list, the name and date, and the history of changes
/// that Undo and Redo walk; Undo and Redo show the row they change through `showRow`, or bring
/// back the list's place in view through `places`.
struct WeekData {
    HomeworkListModel& list;
    GeneralData& fields;
    QUndoStack& history;
    RowShower showRow = {};
    ListPlaces places = {};

    /// A change of this kind, noting the name and the date as they stand.
    std::unique_ptr<DataChange> startChange(CommandKind kind) const;
};

/// Which of the commands on the selected row can act.
struct SelectedRowCommands {
    bool edit = false;
    bool remove = false;
    bool moveUp = false;
    bool moveDown = false;
};

/// Which commands on the selected row (0-based) can act on a list of `rowCount` rows.
SelectedRowCommands selectedRowCommands(int rowCount, std::optional<int> selectedRow);

/// "Add Class": opens a fresh editor that appends its row at the end of the list.
void addClass(WeekData data, const ClassEditorLoader& loadEditor);

/// "Edit Selected Class": opens a fresh editor on the selected row (0-based), which "Save"
/// replaces in place. Nothing happens on an empty list; with rows but none selected, or a row
/// past the editor's 16-bit positions, a note says why nothing opens.
void editSelectedClass(WeekData data, std::optional<int> selectedRow,
                       const ClassEditorLoader& loadEditor);

/// "Delete Selected Class": removes the selected row (0-based); later rows move up. Nothing
/// happens on an empty list; with rows but none selected, a note says so and nothing is removed.
void deleteSelectedClass(WeekData data, std::optional<int> selectedRow);

/// "Clear/Reset Data": empties and stores the name, then empties the list. The date stays.
void clearData(WeekData data);

/// "Start a New Week": moves the date on by seven days and stores it, and empties every day
/// text; the classes and their periods stay. A week that would end past the picker's last date
/// is refused with a note, and nothing changes.
void startNewWeek(WeekData data);

/// "Move Up" (`by` -1) and "Move Down" (`by` 1): moves the selected row (0-based) one place;
/// nothing happens when it has no place to go.
void moveSelectedClass(WeekData data, std::optional<int> selectedRow, int by);

/// The note shown when Edit or Delete find no selected row.
QString noSelectionNote();

/// The note shown when a new week would begin past the date picker's last date.
QString noNewWeekNote();

/// The note shown when the selected row lies past the editor's 16-bit positions.
QString rowOutOfReachNote(int position);

} // namespace quillory
