// SPDX-License-Identifier: MIT

#include "calendar/week_calendar.h"

#include "base/failure.h"
#include "calendar/calendar_text.h"
#include "calendar/stored_event.h"

#include <QDateTime>
#include <QHash>

#include <algorithm>

#include <libical/ical.h>

#include <memory>
#include <vector>

namespace quillory {

using namespace Qt::StringLiterals;

namespace {

struct ComponentFree {
    void operator()(icalcomponent* component) const { icalcomponent_free(component); }
};
using Component = std::unique_ptr<icalcomponent, ComponentFree>;

// libical writes no date after this year (it writes an empty date instead).
constexpr int LatestYear = 3000;

bool isWritable(QDate day)
{
    return day.isValid() && day.year() >= 1 && day.year() <= LatestYear;
}

// A day no calendar file can hold that holds homework; nothing when the week has none.
std::optional<QDate> unwritableDay(const SchoolWeek& week)
{
    const QDate monday = weekMonday(week.date);
    for (const HomeworkEntry& entry : week.classes) {
        for (int day = 0; day < DaysPerWeek; ++day) {
            if (holdsHomework(entry.Days[day]) && !isWritable(monday.addDays(day)))
                return monday.addDays(day);
        }
    }
    return std::nullopt;
}

Problem unwritable(QDate day)
{
    return Problem{Failure::InvalidArgument,
                   u"A calendar file holds days of the years 1 to %1 only, not %2."_s.arg(
                       QString::number(LatestYear), day.toString(Qt::ISODate))};
}

// A day unwritableDay() has passed.
icaltimetype dateValue(QDate day)
{
    icaltimetype value = icaltime_null_date();
    value.year = day.year();
    value.month = day.month();
    value.day = day.day();
    return value;
}

icalcomponent* newEvent(const EventKey& key, const HomeworkEntry& entry, int dayIndex,
                        const icaltimetype& stamp)
{
    const QString& homework = entry.Days[dayIndex];
    return icalcomponent_vanew(
        ICAL_VEVENT_COMPONENT, icalproperty_new_uid(eventUid(key).toUtf8().constData()),
        icalproperty_new_dtstamp(stamp), icalproperty_new_dtstart(dateValue(key.day)),
        icalproperty_new_summary(eventTitle(entry.Period, homework).toUtf8().constData()),
        icalproperty_new_description(calendarText(homework).toUtf8().constData()),
        // Homework does not make the day busy for others who see the calendar.
        icalproperty_new_transp(ICAL_TRANSP_TRANSPARENT), nullptr);
}

// Every event of the week, in list order and Monday first within a class.
std::vector<Component> newEvents(const SchoolWeek& week, const icaltimetype& stamp)
{
    std::vector<Component> events;
    const QDate monday = weekMonday(week.date);
    QHash<QString, int> periodsSeen; // two classes with one period are told apart by their order
    for (const HomeworkEntry& entry : week.classes) {
        const int occurrence = ++periodsSeen[entry.Period];
        for (int day = 0; day < DaysPerWeek; ++day) {
            if (!holdsHomework(entry.Days[day]))
                continue;
            const EventKey key{week.name, entry.Period, occurrence, monday.addDays(day)};
            events.emplace_back(newEvent(key, entry, day, stamp));
        }
    }
    return events;
}

Component newCalendar()
{
    return Component(icalcomponent_vanew(ICAL_VCALENDAR_COMPONENT, icalproperty_new_version("2.0"),
                                         icalproperty_new_prodid("-//Velmora//Quillory//EN"),
                                         nullptr));
}

icaltimetype now()
{
    return icaltime_from_timet_with_zone(time_t(QDateTime::currentSecsSinceEpoch()), 0,
                                         icaltimezone_get_utc_timezone());
}

// libical folds each line together with its CR LF: where the 75th octet is that LF, the fold
// lands between CR and LF ("\r\r\n \n", a stray CR and a bare LF). Put the line end back.
Result<QByteArray> written(icalcomponent* calendar)
{
    const std::unique_ptr<char, decltype(&icalmemory_free_buffer)> text(
        icalcomponent_as_ical_string_r(calendar), &icalmemory_free_buffer);
    if (!text)
        return Problem{Failure::Malformed, u"The calendar could not be written: %1."_s.arg(
                                               QString::fromUtf8(icalerror_strerror(icalerrno)))};
    return QByteArray(text.get()).replace("\r\r\n \n", "\r\n");
}

} // namespace

bool weekHasEvents(const SchoolWeek& week)
{
    return std::any_of(week.classes.cbegin(), week.classes.cend(), [](const HomeworkEntry& entry) {
        return std::any_of(entry.Days.cbegin(), entry.Days.cend(), holdsHomework);
    });
}

QDate weekMonday(QDate date)
{
    return date.addDays(1 - date.dayOfWeek());
}

Result<QByteArray> weekCalendar(const SchoolWeek& week)
{
    if (const std::optional<QDate> day = unwritableDay(week))
        return unwritable(*day);
    const Component calendar = newCalendar();
    for (Component& event : newEvents(week, now()))
        icalcomponent_add_component(calendar.get(), event.release());
    return written(calendar.get());
}

Result<QList<WeekEvent>> publishedWeekEvents(const SchoolWeek& week)
{
    if (const std::optional<QDate> day = unwritableDay(week))
        return unwritable(*day);
    QList<WeekEvent> published;
    for (Component& event : newEvents(week, now())) {
        icalproperty* mark = icalproperty_new_x("TRUE");
        icalproperty_set_x_name(mark, PublishedMark);
        icalcomponent_add_property(event.get(), mark);
        const QString uid = QString::fromUtf8(icalcomponent_get_uid(event.get()));
        const Component calendar = newCalendar();
        icalcomponent_add_component(calendar.get(), event.release());
        Result<QByteArray> text = written(calendar.get());
        if (!text)
            return text.problem();
        published.append({uid, std::move(text).value()});
    }
    return published;
}

} // namespace quillory
