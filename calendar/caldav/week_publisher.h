// SPDX-License-Identifier: MIT

#pragma once

#include "calendar/caldav/caldav_status.h"
#include "calendar/caldav/publish_plan.h"
#include "calendar/stored_event.h"
#include "calendar/week_calendar.h"

#include <QList>
#include <QObject>
#include <QUrl>

namespace quillory::caldav {

class DavConnection;

/// What publishing a week did.
struct PublishReport {
    ServerOutcome
        outcome; ///< Done when the calendar holds the week exactly; else the first problem
    int created = 0;
    int updated = 0;
    int removed = 0;
    int unchanged = 0;
    QList<StoredEvent> notPublished; ///< events of the week that are not on the server as typed
    QList<StoredEvent> notRemoved;   ///< our events of days now empty that are still there
};

/// Publishes a week's events to a calendar: reads the week's events on the server, then makes
/// the changes planPublish gives, one at a time, each only if the event is still as it was read.
/// A change the server refuses is left out and the rest go on; a lost connection, a refused
/// login or a cancel stop it. Reports progress as it goes and the report once at the end.
class WeekPublisher final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(WeekPublisher)

public:
    /// A publisher that talks to the server through the connection, which outlives it.
    explicit WeekPublisher(DavConnection& connection, QObject* parent = nullptr);

    /// Starts publishing the events of the week of the Monday to the calendar.
    void publish(const QUrl& calendar, const QList<WeekEvent>& events, QDate monday);

Q_SIGNALS:
    /// So many of the changes are made, of the total (0 of 0 while the server is read).
    void progressed(int done, int total);
    /// Publishing ended, as the report says.
    void finished(const quillory::caldav::PublishReport& report);

private:
    void planned(const QList<ServerEvent>& onServer);
    void makeNextChange();
    void changeAnswered(const Change& change, const ServerOutcome& outcome);
    void stop(const ServerOutcome& outcome);
    void noteFirstProblem(const ServerOutcome& outcome);

    DavConnection& m_connection;
    QUrl m_calendar;
    QList<WeekEvent> m_events;
    QDate m_monday;
    PublishPlan m_plan;
    bool m_planned = false; ///< whether the server's events were read
    qsizetype m_next = 0;
    PublishReport m_report;
};

} // namespace quillory::caldav
