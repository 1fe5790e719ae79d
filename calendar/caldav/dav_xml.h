// SPDX-License-Identifier: MIT

#pragma once

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace quillory::caldav {

/// One resource of a server's multistatus answer, with the properties it found (those the
/// server answered with 404 for are left empty).
struct DavResource {
    QString href;
    QString principal;    ///< current-user-principal
    QString calendarHome; ///< calendar-home-set
    bool isCalendar = false;
    QString displayName;
    QStringList components; ///< supported-calendar-component-set; empty when not named
    QByteArray etag;
    QByteArray calendarData;
};

/// The resources of a WebDAV multistatus answer (RFC 4918, with CalDAV's properties), or
/// nothing when the text is no multistatus.
std::optional<QList<DavResource>> readMultistatus(const QByteArray& xml);

/// A PROPFIND for the user's principal, and what kind of resource the address is and its name.
QByteArray principalQuery();

/// A PROPFIND for the principal's calendar home.
QByteArray calendarHomeQuery();

/// A PROPFIND for the calendars of a home: their kind, name and kinds of components.
QByteArray calendarListQuery();

/// A calendar-query REPORT for the events, with their ETags and data, that touch the seven days
/// from the Monday on (in UTC, as servers compare all-day events).
QByteArray weekEventsQuery(QDate monday);

} // namespace quillory::caldav
