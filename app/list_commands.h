#pragma once

#include "homework/editor/class_editor.h"

#include <optional>

namespace quillory {

class GeneralDataFrame;
class HomeworkListModel;

/// "Add Class": opens a fresh editor that appends its row at the end of the list.
void addClass(const ClassEditorLoader& loadEditor);

/// "Edit Selected Class": opens a fresh editor on the selected row (0-based), which "Save"
/// replaces in place. Nothing happens on an empty list; with rows but none selected, or a row
/// past the editor's 16-bit positions, a note says why nothing opens.
void editSelectedClass(const HomeworkListModel& list, std::optional<int> selectedRow,
                       const ClassEditorLoader& loadEditor);

/// "Delete Selected Class": removes the selected row (0-based); later rows move up. Nothing
/// happens on an empty list; with rows but none selected, a note says so and nothing is removed.
void deleteSelectedClass(HomeworkListModel& list, std::optional<int> selectedRow);

/// "Clear/Reset Data": empties and stores the name, then empties the list. The date stays.
void clearData(GeneralDataFrame& generalData, HomeworkListModel& list);

/// The note shown when Edit or Delete find no selected row.
QString noSelectionNote();

/// The note shown when the selected row lies past the editor's 16-bit positions.
QString rowOutOfReachNote(int position);

} // namespace quillory
