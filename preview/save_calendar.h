// SPDX-License-Identifier: MIT

#pragma once

#include <QString>

namespace quillory {

class WorkingSchedule;

/// Writes the week the schedule was made of as an iCalendar file at `target`, replacing it
/// atomically; throws Failure when it cannot.
void writeCalendarFile(const WorkingSchedule& schedule, const QString& target);

} // namespace quillory
