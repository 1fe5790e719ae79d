// SPDX-License-Identifier: MIT

#include "calendar/caldav/publish_plan.h"

#include "calendar/caldav/server_address.h"

#include <QHash>
#include <QList>
#include <QSet>

#include <algorithm>

namespace quillory::caldav {

namespace {

struct Found {
    ServerEvent held;
    StoredEvent event;
};

} // namespace

bool isOwnEventOfWeek(const StoredEvent& event, QDate monday)
{
    return event.published && hasProgramUidForm(event.uid) && event.day >= monday &&
           event.day < monday.addDays(7);
}

PublishPlan planPublish(const QList<WeekEvent>& wanted, const QList<ServerEvent>& onServer,
                        const QUrl& calendar, QDate monday)
{
    QHash<QString, Found> own;
    QSet<QString> othersUids;
    for (const ServerEvent& held : onServer) {
        const std::optional<StoredEvent> event = readStoredEvent(held.calendarData);
        if (event && isOwnEventOfWeek(*event, monday))
            own.insert(event->uid, {held, *event});
        else if (event)
            othersUids.insert(event->uid);
    }
    PublishPlan plan;
    for (const WeekEvent& event : wanted) {
        const StoredEvent content = readStoredEvent(event.calendar).value_or(StoredEvent{});
        const auto found = own.constFind(event.uid);
        if (found == own.cend() && othersUids.contains(event.uid))
            plan.heldByOthers.append(content);
        else if (found == own.cend())
            plan.changes.append(
                {Change::Create, eventAddress(calendar, event.uid), {}, event.calendar, content});
        else if (found->event == content)
            ++plan.unchanged;
        else
            plan.changes.append(
                {Change::Update, found->held.address, found->held.etag, event.calendar, content});
        own.remove(event.uid);
    }
    QList<Found> stale = own.values();
    std::sort(stale.begin(), stale.end(),
              [](const Found& a, const Found& b) { return a.event.day < b.event.day; });
    for (const Found& event : stale)
        plan.changes.append({Change::Remove, event.held.address, event.held.etag, {}, event.event});
    return plan;
}

} // namespace quillory::caldav
