// SPDX-License-Identifier: MIT

#pragma once

#include "base/result.h"
#include "calendar/school_week.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace quillory {

/// The week as an iCalendar file (RFC 5545, UTF-8, lines folded at 75 octets): one all-day event
/// for each day of a class that holds homework, on that day's date in the Monday-to-Sunday week
/// that holds the schedule's date, titled by eventTitle, with the day's text (calendarText) as its
/// description and a UID (eventUid) that an export of the same class and day gives again. Fails
/// when a day with homework lies outside the years 1 to 3000, the ones libical writes.
Result<QByteArray> weekCalendar(const SchoolWeek& week);

/// Whether the week gives a calendar any event: some day of some class holds homework.
bool weekHasEvents(const SchoolWeek& week);

/// One event of the week as a calendar server keeps it: a calendar object of its own.
struct WeekEvent {
    QString uid;         ///< the event's UID, as in the calendar file
    QByteArray calendar; ///< a calendar (as weekCalendar writes it) that holds this event alone
};

/// The events of weekCalendar, each in a calendar object of its own and marked with
/// PublishedMark, so that a later publish knows them as this program's. Fails as weekCalendar.
Result<QList<WeekEvent>> publishedWeekEvents(const SchoolWeek& week);

/// The Monday of the Monday-to-Sunday week that holds the date.
QDate weekMonday(QDate date);

} // namespace quillory
