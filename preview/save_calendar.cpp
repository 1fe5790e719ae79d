// SPDX-License-Identifier: MIT

#include "preview/save_calendar.h"

#include "base/file_system.h"
#include "calendar/week_calendar.h"
#include "preview/printable_schedule.h"

namespace quillory {

void writeCalendarFile(const WorkingSchedule& schedule, const QString& target)
{
    replaceFileAtomically(target, weekCalendar(schedule.week()).orRaise()).orRaise();
}

} // namespace quillory
