// SPDX-License-Identifier: MIT

#pragma once

#include "app/list_commands.h"
#include "base/report_locations.h"
#include "journal/journal_records.h"

#include <QDateTime>

namespace quillory {

/// The caption of choosing an earlier list, as Undo names it.
inline constexpr char16_t RestoreEarlierCaption[] = u"Restore Earlier List";
/// The caption of the week brought back from the journal at start, as Undo names it.
inline constexpr char16_t RecoverCaption[] = u"Recover Last Session";

/// The menu text of an earlier list: the week it holds, as the schedule's title writes it, then
/// what replaced it and when, in local time, the day named by its weekday alone within the six
/// days before `now` ("Week of Dec 14, 2026 – before Start a New Week, Mon 23:39"). A list whose
/// date cannot be read is named by its replacement alone ("Before Clear/Reset Data, …").
QString earlierListText(const journal::EarlierList& earlier,
                        const QDateTime& now = QDateTime::currentDateTime());

/// Replaces the list, the name and the date as one step of the history named `caption`; the
/// name and the date are stored as any change of them is. A step that changes nothing is no
/// step.
void replaceWeek(WeekData data, const char16_t* caption, const ReportLocation& location,
                 const QList<HomeworkEntry>& entries, const journal::WeekFields& fields);

} // namespace quillory
