// SPDX-License-Identifier: MIT

#pragma once

#include "calendar/school_week.h"

namespace quillory {

/// The week as a start of the program finds it in the settings: the name ("Text1_0"), the date
/// ("DateTimePicker1", today when none is stored) and the class list ("Homework"). Reads only.
SchoolWeek storedWeek();

} // namespace quillory
