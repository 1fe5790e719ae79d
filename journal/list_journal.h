// SPDX-License-Identifier: MIT

#pragma once

#include "journal/journal_file.h"
#include "journal/journal_state.h"

#include <QString>

#include <optional>

namespace quillory::journal {

/// The list with its name and date.
struct Week {
    QList<HomeworkEntry> entries;
    WeekFields fields;

    bool operator==(const Week&) const = default;
};

/// What a start finds in the journal the last run left.
struct Opening {
    /// The week the last run left, when it ended without storing it and the settings file still
    /// holds the list that run knew it to hold.
    std::optional<Week> recovered;
    /// Why the journal could not be used and where it is kept aside; empty when it could.
    QString problem;
};

/// The journal beside the settings file: every step of the list, name and date as it happens,
/// and the lists that clearing, the example week, a new week and deleting replaced.
class ListJournal {
public:
    /// The journal of the settings file at the path: "<settings file>.journal".
    explicit ListJournal(const QString& settingsPath);

    /// Reads the journal the last run left, for a start that read `stored` from the settings.
    /// A journal that cannot be used is moved aside (and said so); nothing blocks or waits.
    Opening open(const Week& stored);
    /// Begins the journal anew for this run: the week it shows, what the settings hold, and
    /// the earlier lists kept. Throws Failure when it cannot be written.
    void begin(const Week& shown, const Week& stored);
    /// Records one step. Throws Failure when it cannot be written; the step is kept all the
    /// same, and the next one begins the file anew with it.
    void record(const StepRecord& step);
    /// Records that the settings file holds this week now. Throws Failure as record() does.
    void recordStored(const Week& stored);

    /// The list, name, date and earlier lists as recorded.
    const JournalState& state() const { return m_state; }
    /// The earlier lists replaced at `nowMs` or in the days before it that are kept, newest
    /// first.
    QList<EarlierList> earlierLists(qint64 nowMs) const;
    /// The journal's file.
    const QString& path() const { return m_path; }
    /// Waits until every step has reached the disk.
    void waitForDisk() { m_file.waitForDisk(); }

private:
    void write(const Record& record);
    void beginAnew();

    QString m_path;
    JournalState m_state;
    JournalFile m_file;
    bool m_broken = false;
};

} // namespace quillory::journal
