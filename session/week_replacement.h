// SPDX-License-Identifier: MIT

#pragma once

#include "base/report_locations.h"
#include "journal/journal_records.h"
#include "session/list_commands.h"

namespace quillory {

/// The menu text of an earlier list: what replaced it and when, in local time ("Before Start a
/// New Week, Mon Dec 14 09:12").
QString earlierListText(const journal::EarlierList& earlier);

/// When a replaced name and date are written to the settings.
enum class FieldsStored {
    Now,         ///< at once, as any change of them is
    WithTheList, ///< with the next write of the settings, at the latest the close (a week
                 ///< brought back at start, which the user has not changed yet)
};

/// Replaces the list, the name and the date as one step of the history of this kind. A step
/// that changes nothing is no step.
void replaceWeek(WeekData data, CommandKind kind, const ReportLocation& location,
                 const QList<HomeworkEntry>& entries, const journal::WeekFields& fields,
                 FieldsStored stored = FieldsStored::Now);

} // namespace quillory
