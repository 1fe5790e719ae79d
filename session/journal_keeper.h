// SPDX-License-Identifier: MIT

#pragma once

#include "journal/list_journal.h"

#include <QObject>

class QUndoStack;

namespace quillory {

class GeneralData;
class HomeworkListModel;

/// Keeps the journal of the class list, the name and the date: it notes each change of the
/// list as the list signals it and records them as one step whenever the undo history moves or
/// the name or the date is edited, so that a step of several changes is one record.
class JournalKeeper final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(JournalKeeper)

public:
    /// The journal beside the settings file at the path, of this list, history and fields.
    JournalKeeper(HomeworkListModel& list, QUndoStack& history, const GeneralData& fields,
                  const QString& settingsPath);

    /// The list, name and date shown now.
    journal::Week shownWeek() const;
    /// Reads the journal the last run left, for a start that shows what the settings hold.
    journal::Opening open();
    /// Begins the journal for this run and follows every change from now on; `stored` is what
    /// the settings hold. Throws Failure when the journal cannot be written.
    void begin(const journal::Week& stored);
    /// Records the changes made since the last step, if any.
    void recordStep();
    /// Records that the settings file holds the list, the name and the date shown now.
    void recordStored();
    /// Waits until every recorded step has reached the disk.
    void waitForDisk() { m_journal.waitForDisk(); }
    /// The earlier lists of the last 60 days, newest first.
    QList<journal::EarlierList> earlierLists() const;

Q_SIGNALS:
    /// A step could not be written to the journal; emitted once a run.
    void writeFailed(const QString& description);

private:
    void follow();
    void noteInserted(int first, int last);
    void noteRemoved(int first, int last);
    void noteMoved(int from, int to);
    void noteChanged(int first, int last);
    void noteReset();
    void historyMoved(int index);
    void write(const std::function<void()>& recording);

    HomeworkListModel& m_list;
    QUndoStack& m_history;
    const GeneralData& m_fields;
    journal::ListJournal m_journal;
    QList<journal::ListOp> m_pending;
    QList<HomeworkEntry> m_beforeReset;
    int m_historyIndex = 0;
    bool m_following = false;
    bool m_toldFailure = false;
};

} // namespace quillory
