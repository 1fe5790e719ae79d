// SPDX-License-Identifier: MIT

#pragma once

#include "calendar/school_week.h"

#include <QString>

namespace quillory {

/// How reading the stored week ended.
enum class StoredWeekStatus {
    Read,          ///< `week` holds it
    NothingStored, ///< the settings hold no class list and the journal no newer week
    Damaged,       ///< the stored class list is no plain text; `reason` says so
};

/// The week as the program would show it at its next start, or why there is none.
struct StoredWeekReading {
    StoredWeekStatus status = StoredWeekStatus::Read;
    SchoolWeek week;
    QString reason;
};

/// Reads the week from the settings ("Homework", the name, the date, as a start restores them)
/// and, where the last run ended without storing its week, from the journal beside them.
/// Writes, moves and locks nothing, so a running copy is not disturbed; a journal that cannot
/// be read leaves the week the settings hold.
StoredWeekReading readStoredWeek();

} // namespace quillory
