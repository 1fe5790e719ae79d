// SPDX-License-Identifier: MIT

#pragma once

#include "calendar/caldav/caldav_status.h"

#include <QList>
#include <QString>
#include <QUrl>

#include <functional>

namespace quillory::caldav {

class DavConnection;

/// A calendar on the server that holds events.
struct CalendarInfo {
    QUrl address;
    QString name; ///< its display name, else the last part of its address
};

/// What looking for the calendars found.
struct CalendarList {
    ServerOutcome outcome;
    QList<CalendarInfo> calendars;
};

/// Looks for the user's calendars from a server's address: its current-user-principal (asked at
/// the address, else at /.well-known/caldav), the principal's calendar-home-set, then the
/// calendars there that hold events. An address that is itself such a calendar is that one
/// calendar. `done` gets the list once, also when it failed or was cancelled.
void findCalendars(DavConnection& connection, const QUrl& address,
                   std::function<void(const CalendarList&)> done);

} // namespace quillory::caldav
