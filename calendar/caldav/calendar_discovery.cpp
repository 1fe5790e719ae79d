// SPDX-License-Identifier: MIT

#include "calendar/caldav/calendar_discovery.h"

#include "calendar/caldav/dav_connection.h"
#include "calendar/caldav/dav_xml.h"
#include "calendar/caldav/server_address.h"

#include <memory>

namespace quillory::caldav {

using namespace Qt::StringLiterals;

namespace {

using Done = std::function<void(const CalendarList&)>;

constexpr auto WellKnownPath = "/.well-known/caldav"_L1;

bool holdsEvents(const DavResource& resource)
{
    return resource.isCalendar &&
           (resource.components.isEmpty() || resource.components.contains(u"VEVENT"_s));
}

CalendarInfo calendarOf(const DavAnswer& answer, const DavResource& resource)
{
    const QUrl address = resolvedReference(answer.answeredFrom, resource.href, true);
    const QString name = resource.displayName.trimmed();
    return {address, name.isEmpty() ? address.path().section(u'/', -2, -2) : name};
}

// The resources of a multistatus answer, or what went wrong.
std::optional<QList<DavResource>> resourcesOf(const DavAnswer& answer, const Done& done)
{
    if (!answer.outcome.ok()) {
        done({answer.outcome, {}});
        return std::nullopt;
    }
    std::optional<QList<DavResource>> resources = readMultistatus(answer.body);
    if (resources && !resources->isEmpty())
        return resources;
    done({{Status::NoCalendarServer,
           u"%1 answered with no WebDAV properties"_s.arg(answer.answeredFrom.toDisplayString())},
          {}});
    return std::nullopt;
}

void listCalendars(DavConnection& connection, const QUrl& home, const Done& done)
{
    connection.send({"PROPFIND", home, calendarListQuery(), "1"}, [done](const DavAnswer& answer) {
        const std::optional<QList<DavResource>> resources = resourcesOf(answer, done);
        if (!resources)
            return;
        CalendarList list;
        for (const DavResource& resource : *resources) {
            if (holdsEvents(resource))
                list.calendars.append(calendarOf(answer, resource));
        }
        done(list);
    });
}

void findHome(DavConnection& connection, const QUrl& principal, const Done& done)
{
    connection.send(
        {"PROPFIND", principal, calendarHomeQuery(), "0"},
        [&connection, done](const DavAnswer& answer) {
            const std::optional<QList<DavResource>> resources = resourcesOf(answer, done);
            if (!resources)
                return;
            const QString home = resources->first().calendarHome;
            if (home.isEmpty()) {
                done({{Status::NoCalendarServer, u"the server names no calendar home"_s}, {}});
                return;
            }
            listCalendars(connection, resolvedReference(answer.answeredFrom, home, true), done);
        });
}

void findPrincipal(DavConnection& connection, const QUrl& address, bool lastTry, const Done& done);

// What the address said of itself: a calendar, the user's principal, or nothing of use, and then
// the well-known address is asked once.
void principalAnswered(DavConnection& connection, const QUrl& address, bool lastTry,
                       const DavAnswer& answer, const Done& done)
{
    // Not for a refused password (401): only where the address holds nothing for the user.
    const bool mayRetry =
        !lastTry && (answer.outcome.ok() || answer.outcome.status == Status::NotFound ||
                     answer.httpStatus == 403);
    const Done ignored = [](const CalendarList&) {};
    const std::optional<QList<DavResource>> resources =
        resourcesOf(answer, mayRetry ? ignored : done);
    const DavResource self = resources ? resources->first() : DavResource{};
    if (self.isCalendar)
        done({{}, {calendarOf(answer, self)}});
    else if (!self.principal.isEmpty())
        findHome(connection, resolvedReference(answer.answeredFrom, self.principal, true), done);
    else if (mayRetry)
        findPrincipal(connection, address.resolved(QUrl(WellKnownPath)), true, done);
    else if (resources)
        done({{Status::NoCalendarServer, u"the server names no user principal"_s}, {}});
}

void findPrincipal(DavConnection& connection, const QUrl& address, bool lastTry, const Done& done)
{
    connection.send({"PROPFIND", address, principalQuery(), "0"},
                    [&connection, address, lastTry, done](const DavAnswer& answer) {
                        principalAnswered(connection, address, lastTry, answer, done);
                    });
}

} // namespace

void findCalendars(DavConnection& connection, const QUrl& address,
                   std::function<void(const CalendarList&)> done)
{
    if (const ServerOutcome check = checkAddress(address); !check.ok()) {
        done({check, {}});
        return;
    }
    findPrincipal(connection, address, address.path() == WellKnownPath, done);
}

} // namespace quillory::caldav
