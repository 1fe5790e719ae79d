// SPDX-License-Identifier: MIT

#pragma once

#include "base/own_file.h"
#include "homework/general_fields.h"
#include "homework/homework_entry.h"

#include <QDate>
#include <QList>
#include <QString>

#include <functional>
#include <memory>

namespace quillory {

class GuardedProcedure;

/// How working documents' names begin; eight digits from 1 to 9 and ".doc" follow.
inline constexpr char16_t WorkingDocumentPrefix[] = u"dravik";

/// What a schedule is made from. The name, the date and the classes are read at the moments
/// the run uses them, so that what the user changed while the run waited is what it types.
struct ScheduleRequest {
    QString nameTag;                               ///< the placeholder the name replaces
    std::function<QString()> name;                 ///< the name box's text
    std::function<QString()> date;                 ///< the date, formatted
    std::function<int()> classCount;               ///< how many classes the list holds
    std::function<HomeworkEntry(int row)> classAt; ///< one class (from 0); throws when gone
};

/// The working document a run made.
struct FilledSchedule {
    QString workingPath; ///< where it was to be saved (empty when no name could be had)
    /// The saved document, held open since it was saved, so that what comes to lie under its
    /// name later is never taken for it; empty when none was saved or the name held a file
    /// that is not the user's own. A working file of the run until deleted.
    std::shared_ptr<const OwnFile> document;
};

/// The template-filling steps of "Start Creating Template" (106 to 236): copies the template
/// into the working folder, fills it through a new instance of the document component and saves
/// it as a new working document, named by the prefix, eight random digits from 1 to 9 and ".doc".
/// Every failed step is reported through the procedure and the next step runs.
FilledSchedule fillScheduleTemplate(GuardedProcedure& procedure, const ScheduleRequest& request);

} // namespace quillory
