// SPDX-License-Identifier: MIT

#pragma once

#include "base/result.h"

#include <QString>

namespace quillory {

class HomeworkListModel;
struct SettingsContent;

/// Writes the whole list in its stored form under "Homework"; an empty list leaves a stored
/// value that is no plain text as it is. Fails when the settings cannot be written.
Outcome SaveHomeworkList(const HomeworkListModel& list);

/// Writes the whole list with the name and the date (as stored texts), as a settings file that
/// holds only "Homework", "Text1_0" and "DateTimePicker1", to a new file only the user can read:
/// "Quillory.conf.rescued" (or ".rescued.2" and on) beside the settings file, else in the home
/// folder, else in the temporary folder. Gives its path; fails when no such file can be written.
Result<QString> rescueHomeworkList(const HomeworkListModel& list, const QString& name,
                                   const QString& date);

/// Empties the list and refills it from "Homework" as the settings file holds it now. Rows
/// with fewer than eight fields are kept (their missing days empty) and the later rows are
/// read too; it then fails saying so, and also for a stored value that is no plain text.
Outcome LoadHomeworkList(HomeworkListModel& list);

/// As LoadHomeworkList, from the settings as read.
Outcome LoadHomeworkList(HomeworkListModel& list, const SettingsContent& stored);

} // namespace quillory
