// SPDX-License-Identifier: MIT

#include "calendar/caldav/week_publisher.h"

#include "calendar/caldav/dav_connection.h"
#include "calendar/caldav/dav_xml.h"
#include "calendar/caldav/server_address.h"

namespace quillory::caldav {

using namespace Qt::StringLiterals;

namespace {

// A failure after which no further request can succeed.
bool endsPublishing(Status status)
{
    return status == Status::Unauthorised || status == Status::Unreachable ||
           status == Status::UntrustedCertificate || status == Status::Cancelled ||
           status == Status::InsecureAddress;
}

QList<StoredEvent> contentOf(const QList<WeekEvent>& events)
{
    QList<StoredEvent> contents;
    for (const WeekEvent& event : events)
        contents.append(
            readStoredEvent(event.calendar).value_or(StoredEvent{event.uid, {}, {}, {}}));
    return contents;
}

DavRequest requestFor(const Change& change)
{
    switch (change.kind) {
    case Change::Create: return {"PUT", change.address, change.body, {}, {}, true};
    case Change::Update: return {"PUT", change.address, change.body, {}, change.etag};
    case Change::Remove: break;
    }
    return {"DELETE", change.address, {}, {}, change.etag};
}

} // namespace

WeekPublisher::WeekPublisher(DavConnection& connection, QObject* parent)
    : QObject(parent)
    , m_connection(connection)
{
}

void WeekPublisher::publish(const QUrl& calendar, const QList<WeekEvent>& events, QDate monday)
{
    m_calendar = calendar;
    m_events = events;
    m_monday = monday;
    m_report = {};
    m_plan = {};
    m_planned = false;
    Q_EMIT progressed(0, 0);
    m_connection.send(
        {"REPORT", calendar, weekEventsQuery(monday), "1"}, [this](const DavAnswer& answer) {
            if (!answer.outcome.ok()) {
                stop(answer.outcome);
                return;
            }
            const std::optional<QList<DavResource>> resources = readMultistatus(answer.body);
            if (!resources) {
                stop({Status::ServerError, u"the server's list of events cannot be read"_s});
                return;
            }
            QList<ServerEvent> onServer;
            for (const DavResource& resource : *resources) {
                onServer.append({resolvedReference(answer.answeredFrom, resource.href, false),
                                 resource.etag, resource.calendarData});
            }
            planned(onServer);
        });
}

void WeekPublisher::planned(const QList<ServerEvent>& onServer)
{
    m_plan = planPublish(m_events, onServer, m_calendar, m_monday);
    m_planned = true;
    m_report.unchanged = m_plan.unchanged;
    m_report.notPublished = m_plan.heldByOthers;
    if (!m_plan.heldByOthers.isEmpty())
        noteFirstProblem({Status::Conflict, u"another program's events hold their UIDs"_s});
    m_next = 0;
    makeNextChange();
}

void WeekPublisher::makeNextChange()
{
    Q_EMIT progressed(int(m_next), int(m_plan.changes.size()));
    if (m_next == m_plan.changes.size()) {
        Q_EMIT finished(m_report);
        return;
    }
    const Change change = m_plan.changes.at(m_next);
    m_connection.send(requestFor(change), [this, change](const DavAnswer& answer) {
        changeAnswered(change, answer.outcome);
    });
}

void WeekPublisher::changeAnswered(const Change& change, const ServerOutcome& outcome)
{
    ++m_next;
    // An event already gone is as good as removed.
    const bool done =
        outcome.ok() || (change.kind == Change::Remove && outcome.status == Status::NotFound);
    if (done) {
        ++(change.kind == Change::Create   ? m_report.created
           : change.kind == Change::Update ? m_report.updated
                                           : m_report.removed);
    } else {
        (change.kind == Change::Remove ? m_report.notRemoved : m_report.notPublished)
            .append(change.event);
        if (endsPublishing(outcome.status)) {
            stop(outcome);
            return;
        }
        noteFirstProblem(outcome);
    }
    makeNextChange();
}

// Everything not yet done counts as not done.
void WeekPublisher::stop(const ServerOutcome& outcome)
{
    m_report.outcome = outcome;
    if (!m_planned)
        m_report.notPublished = contentOf(m_events);
    for (qsizetype i = m_next; i < m_plan.changes.size(); ++i) {
        const Change& change = m_plan.changes.at(i);
        (change.kind == Change::Remove ? m_report.notRemoved : m_report.notPublished)
            .append(change.event);
    }
    Q_EMIT finished(m_report);
}

void WeekPublisher::noteFirstProblem(const ServerOutcome& outcome)
{
    if (m_report.outcome.ok())
        m_report.outcome = outcome;
}

} // namespace quillory::caldav
