// SPDX-License-Identifier: MIT

#include "calendar/caldav/caldav_texts.h"

#include "calendar/caldav/week_publisher.h"

#include <QLocale>

namespace quillory::caldav {

using namespace Qt::StringLiterals;

namespace {

// So many events are named in a message; the rest are counted.
constexpr qsizetype NamedEvents = 8;

QString advice(Status status)
{
    switch (status) {
    case Status::Done: return {};
    case Status::InsecureAddress:
        return u"The password is sent only over https (plain http only to a server on this "
               u"computer). Use the server's https address."_s;
    case Status::Unauthorised:
        return u"The server refused the user name or the password. Check both (some servers "
               u"want an app password) and try again."_s;
    case Status::NotFound:
        return u"The calendar is not on the server (deleted, or the address is wrong). Look up "
               u"the calendars again and choose one."_s;
    case Status::NoCalendarServer:
        return u"No calendar server answers at this address. Check the address your calendar "
               u"provider gives for CalDAV."_s;
    case Status::Unreachable:
        return u"The server cannot be reached. Check the address and the network connection, "
               u"then try again."_s;
    case Status::UntrustedCertificate:
        return u"The server's certificate is not one this system trusts, so nothing was sent "
               u"to it. For a server of your own, add its certificate authority to the "
               u"system's trusted certificates (or name its file in SSL_CERT_FILE)."_s;
    case Status::Conflict:
        return u"Some events were changed on the server meanwhile, or another program's copy "
               u"of them is in the calendar. Publish again; if this stays, delete the other "
               u"copies in your calendar program."_s;
    case Status::ServerError: return u"The server reported an error. Try again later."_s;
    case Status::Cancelled: return u"Publishing was stopped."_s;
    }
    return {};
}

QString named(const QList<StoredEvent>& events)
{
    QStringList names;
    for (qsizetype i = 0; i < events.size() && i < NamedEvents; ++i) {
        const StoredEvent& event = events.at(i);
        names.append(
            u"%1 \"%2\""_s.arg(QLocale::c().toString(event.day, u"ddd MMM d"_s), event.title));
    }
    if (events.size() > NamedEvents)
        names.append(u"and %1 more"_s.arg(events.size() - NamedEvents));
    return names.join(u", "_s);
}

QString countText(const PublishReport& report)
{
    return u"%1 new, %2 changed, %3 removed, %4 unchanged."_s.arg(report.created)
        .arg(report.updated)
        .arg(report.removed)
        .arg(report.unchanged);
}

} // namespace

QString problemText(const ServerOutcome& outcome)
{
    const QString text = advice(outcome.status);
    if (outcome.reason.isEmpty() || outcome.status == Status::Cancelled)
        return text;
    return u"%1 (%2)"_s.arg(text, outcome.reason);
}

QString reportText(const PublishReport& report)
{
    if (report.outcome.ok())
        return u"The week is on the calendar: "_s + countText(report);
    const QString problem = problemText(report.outcome);
    const bool changedNothing = report.created + report.updated + report.removed == 0;
    if (changedNothing && report.unchanged == 0 && report.notRemoved.isEmpty())
        return problem + u"\nNothing was published."_s;
    QString text = problem + u"\nPublished all the same: "_s + countText(report);
    if (!report.notPublished.isEmpty())
        text += u"\nNot published: "_s + named(report.notPublished) + u'.';
    if (!report.notRemoved.isEmpty())
        text += u"\nNot removed: "_s + named(report.notRemoved) + u'.';
    return text;
}

} // namespace quillory::caldav
