// SPDX-License-Identifier: MIT

#pragma once

#include "base/file_layer.h"
#include "base/result.h"
#include "journal/journal_file.h"
#include "journal/journal_state.h"
#include "journal/journal_writer.h"

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
    /// What the user is told when the settings and the journal held different weeks; empty
    /// when they did not.
    QString notice;
};

/// The journal beside the settings file: every step of the list, name and date as it happens,
/// and the lists that clearing, the example week, a new week and deleting replaced.
class ListJournal {
public:
    /// The journal of the settings file at the path: "<settings file>.journal", written through
    /// the layer; `failed` hears of what the writing in the background could not do (on its
    /// thread).
    explicit ListJournal(const QString& settingsPath, const FileLayer& layer = FileLayer::system(),
                         std::function<void(const Problem&)> failed = {});

    /// Reads the journal the last run left, for a start that read `stored` from the settings.
    /// A journal that cannot be used is moved aside (and said so); nothing blocks or waits.
    Opening open(const Week& stored);
    /// Begins the journal anew for this run: the week it shows, what the settings hold, and
    /// the earlier lists kept. Fails when it cannot be written.
    Outcome begin(const Week& shown, const Week& stored);
    /// Records one step. Fails when it cannot be written; the step is kept all the same, and
    /// the next one begins the file anew with it.
    Outcome record(const StepRecord& step);
    /// Records that the settings file holds this week now. Fails as record() does.
    Outcome recordStored(const Week& stored);

    /// The list, name, date and earlier lists as recorded.
    const JournalState& state() const { return m_state; }
    /// The earlier lists replaced at `nowMs` or in the days before it that are kept, newest
    /// first.
    QList<EarlierList> earlierLists(qint64 nowMs) const;
    /// The journal's file.
    const QString& path() const { return m_path; }
    /// Waits until every step has reached the disk; fails when some did not.
    Outcome waitForDisk() { return m_writer.waitForDisk(); }

private:
    void settle(const Week& stored, Opening& opening);
    bool isNewerThanSettings() const;
    Outcome write(const Record& record);
    Outcome beginAnew();

    QString m_settingsPath;
    QString m_path;
    JournalState m_state;
    JournalWriter m_writer;
};

} // namespace quillory::journal
