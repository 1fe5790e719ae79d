// SPDX-License-Identifier: MIT

#pragma once

#include <QDate>
#include <QString>

namespace quillory {

/// A typed text as an iCalendar text can hold it: every line break (CR LF, CR or LF) becomes
/// LF, which the file writes as "\n", and the other control characters but the tab, which the
/// format has no way to write, are left out. Everything else is kept as it is.
QString calendarText(const QString& typed);

/// Whether a day's text holds homework: anything but blanks and line breaks.
bool holdsHomework(const QString& day);

/// An event's title: the period and the homework's first line that holds something, joined by
/// ": " and trimmed ("3. Band: Practice scales"); the line alone when the period is blank.
QString eventTitle(const QString& period, const QString& homework);

/// What tells one class's day apart from every other, and stays the same when it is exported
/// again: the pupil's name, the class's period, which of the classes with that period it is
/// (from 1, in list order) and the day's date.
struct EventKey {
    QString name;
    QString period;
    int occurrence = 1;
    QDate day;
};

/// The event's unique identifier, made from its key alone (a hash, so nothing typed shows).
QString eventUid(const EventKey& key);

} // namespace quillory
