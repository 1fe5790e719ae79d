// SPDX-License-Identifier: MIT

#pragma once

#include "calendar/school_week.h"

#include <QByteArray>

namespace quillory {

/// The week as an iCalendar file (RFC 5545, UTF-8, lines folded at 75 octets): one all-day event
/// for each day of a class that holds homework, on that day's date in the Monday-to-Sunday week
/// that holds the schedule's date, titled by eventTitle, with the day's text (calendarText) as its
/// description and a UID (eventUid) that an export of the same class and day gives again. Throws
/// Failure when a day with homework lies outside the years 1 to 3000, the ones libical writes.
QByteArray weekCalendar(const SchoolWeek& week);

/// Whether the week gives a calendar any event: some day of some class holds homework.
bool weekHasEvents(const SchoolWeek& week);

} // namespace quillory
