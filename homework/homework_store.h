#pragma once

namespace quillory {

class HomeworkListModel;

/// Writes the whole list in its stored form under "Homework". Throws Failure when the
/// settings cannot be written.
void SaveHomeworkList(const HomeworkListModel& list);

/// Empties the list and refills it from "Homework". Rows with fewer than eight fields are
/// kept (their missing days empty) and the later rows are read too; a Failure saying so is
/// thrown once everything has been read.
void LoadHomeworkList(HomeworkListModel& list);

} // namespace quillory
