// SPDX-License-Identifier: MIT

#pragma once

#include <QString>

namespace quillory {

class HomeworkListModel;

/// Writes the whole list in its stored form under "Homework"; an empty list leaves a stored
/// value that is no plain text as it is. Throws Failure when the settings cannot be written.
void SaveHomeworkList(const HomeworkListModel& list);

/// Writes the whole list with the name and the date (as stored texts), as a settings file that
/// holds only "Homework", "Text1_0" and "DateTimePicker1", to a new file only the user can read:
/// "Quillory.conf.rescued" (or ".rescued.2" and on) beside the settings file, else in the home
/// folder, else in the temporary folder. Returns its path; throws Failure when no such file can
/// be written.
QString rescueHomeworkList(const HomeworkListModel& list, const QString& name, const QString& date);

/// Empties the list and refills it from "Homework". Rows with fewer than eight fields are
/// kept (their missing days empty) and the later rows are read too; a Failure saying so is
/// thrown once everything has been read, and also for a stored value that is no plain text.
void LoadHomeworkList(HomeworkListModel& list);

} // namespace quillory
