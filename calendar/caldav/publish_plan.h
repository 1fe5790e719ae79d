// SPDX-License-Identifier: MIT

#pragma once

#include "calendar/stored_event.h"
#include "calendar/week_calendar.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QUrl>

namespace quillory::caldav {

/// An event as the server holds it, from the query for the week.
struct ServerEvent {
    QUrl address;
    QByteArray etag;
    QByteArray calendarData;
};

/// One change that publishing makes on the server.
struct Change {
    /// What the change does.
    enum Kind {
        Create, ///< puts a new event, only where none is (If-None-Match: *)
        Update, ///< replaces our event, only as it was read (If-Match)
        Remove, ///< deletes our event of a day now empty, only as it was read (If-Match)
    };
    Kind kind = Create;
    QUrl address;
    QByteArray etag;   ///< the ETag read, for Update and Remove
    QByteArray body;   ///< the calendar object, for Create and Update
    StoredEvent event; ///< the event as it is put or as it was, for the messages
};

/// Everything publishing a week does to a calendar.
struct PublishPlan {
    QList<Change> changes;
    int unchanged = 0; ///< events already on the server as they are to be
    /// Events of the week not published: another program's event on the server holds the UID.
    QList<StoredEvent> heldByOthers;
};

/// Whether an event on the server is one that this program published for the week of the
/// Monday: it carries PublishedMark, has a UID of the program's form and starts in that week.
/// No other event is ever changed or removed.
bool isOwnEventOfWeek(const StoredEvent& event, QDate monday);

/// What publishing the week's events makes of the events the server holds in that week: our
/// events that differ are updated, missing ones created (named by eventAddress), our events that
/// the week no longer has removed, and events of other programs left alone.
PublishPlan planPublish(const QList<WeekEvent>& wanted, const QList<ServerEvent>& onServer,
                        const QUrl& calendar, QDate monday);

} // namespace quillory::caldav
