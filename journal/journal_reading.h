// SPDX-License-Identifier: MIT

#pragma once

#include "journal/list_journal.h"

#include <QString>

namespace quillory::journal {

/// What the journal says about the stored week.
enum class ReadingStatus {
    NoJournal, ///< nothing stands at the journal's name
    NotNewer,  ///< the journal holds nothing the settings lack: the last run stored its week,
               ///< or the settings hold another list than that run knew them to hold
    Newer,     ///< the last run ended without storing its week; `week` holds it
    Unusable,  ///< the journal cannot be read (damaged, foreign, not the user's); `problem` says
               ///< why
};

/// The journal read for the stored week.
struct JournalReading {
    ReadingStatus status = ReadingStatus::NoJournal;
    Week week;       ///< the newer week when Newer
    QString problem; ///< why it is unusable when Unusable
};

/// Reads the journal of the settings file at `settingsPath` for the week `stored` read from the
/// settings, by the rule a start follows: the week the last run left is newer when that run
/// ended without storing it and the settings still hold the list it knew them to hold. Nothing
/// is moved, written or locked, so a running copy may go on using the journal meanwhile.
JournalReading readJournalReadOnly(const QString& settingsPath, const Week& stored);

} // namespace quillory::journal
