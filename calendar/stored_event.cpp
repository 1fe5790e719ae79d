// SPDX-License-Identifier: MIT

#include "calendar/stored_event.h"

#include <QRegularExpression>

#include <libical/ical.h>

#include <memory>

namespace quillory {

using namespace Qt::StringLiterals;

namespace {

struct ComponentFree {
    void operator()(icalcomponent* component) const { icalcomponent_free(component); }
};

QString textOf(const char* text)
{
    return text ? QString::fromUtf8(text) : QString();
}

bool carriesPublishedMark(icalcomponent* event)
{
    for (icalproperty* property = icalcomponent_get_first_property(event, ICAL_X_PROPERTY);
         property; property = icalcomponent_get_next_property(event, ICAL_X_PROPERTY)) {
        if (qstrcmp(icalproperty_get_x_name(property), PublishedMark) == 0)
            return true;
    }
    return false;
}

} // namespace

std::optional<StoredEvent> readStoredEvent(const QByteArray& calendarObject)
{
    const std::unique_ptr<icalcomponent, ComponentFree> root(
        icalparser_parse_string(calendarObject.constData()));
    if (!root)
        return std::nullopt;
    icalcomponent* event =
        icalcomponent_isa(root.get()) == ICAL_VEVENT_COMPONENT
            ? root.get()
            : icalcomponent_get_first_component(root.get(), ICAL_VEVENT_COMPONENT);
    if (!event)
        return std::nullopt;
    const icaltimetype start = icalcomponent_get_dtstart(event);
    const QDate day =
        icaltime_is_null_time(start) ? QDate() : QDate(start.year, start.month, start.day);
    return StoredEvent{textOf(icalcomponent_get_uid(event)), day,
                       textOf(icalcomponent_get_summary(event)),
                       textOf(icalcomponent_get_description(event)), carriesPublishedMark(event)};
}

bool hasProgramUidForm(const QString& uid)
{
    static const QRegularExpression form(u"\\A[0-9a-f]{32}@quillory\\z"_s);
    return form.match(uid).hasMatch();
}

} // namespace quillory
