// SPDX-License-Identifier: MIT

#pragma once

#include "base/file_layer.h"
#include "base/result.h"
#include "base/settings_file.h"
#include "base/settings_writer.h"
#include "homework/homework_list_model.h"
#include "journal/journal_records.h"
#include "session/data_change.h"
#include "session/general_data.h"
#include "session/list_commands.h"

#include <QElapsedTimer>
#include <QObject>
#include <QUndoStack>

#include <memory>

namespace quillory {

class JournalKeeper;

/// The week the user keeps: the class list, the name and the date, the history of their changes
/// that Undo and Redo walk, the settings that keep them between runs (written in the
/// background) and the journal that keeps every change at once. The main window shows it and
/// hands it the user's commands.
class WeekSession final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(WeekSession)

public:
    /// The week kept in the settings file at the path (its journal beside it), written through
    /// the layer.
    explicit WeekSession(const QString& settingsPath, const FileLayer& layer = FileLayer::system());
    ~WeekSession() override;

    /// The class list (the one in-memory copy).
    HomeworkListModel& list() { return m_list; }
    const HomeworkListModel& list() const { return m_list; }
    /// The name and the date.
    GeneralData& fields() { return m_fields; }
    const GeneralData& fields() const { return m_fields; }
    /// The history of the changes of this run.
    QUndoStack& history() { return m_history; }

    /// How Undo and Redo show the row they change, and bring back the list's place in view.
    void setView(RowShower showRow, ListPlaces places);
    /// What the list commands work on.
    WeekData weekData();

    /// Reads the settings file as it stands, for the steps that restore the week from it.
    const SettingsContent& readStored();
    /// The name from the settings read, without writing it back.
    void restoreName() { m_fields.restoreName(m_stored); }
    /// The date from the settings read, without writing it back.
    void restoreDate() { m_fields.restoreDate(m_stored); }
    /// The class list from the settings read; fails saying what was damaged.
    Outcome restoreList();

    /// The user typed in the name box, which shows `typed` now: stored, and a step of the
    /// history (a burst of typing is one step).
    void typeName(const QString& typed);
    /// The user picked a date: stored, and a step of the history; the same date changes nothing.
    void pickDate(const QDateTime& picked);

    /// Reads the journal the last run left and brings back, as one step of the history, the week
    /// it ended with when that was not stored; begins the journal for this run. Returns what the
    /// user is to be told of the journal (empty when nothing).
    QString openJournal();
    /// The earlier lists of the last 60 days, newest first.
    QList<journal::EarlierList> earlierLists() const;
    /// Brings back an earlier list with its name and date, as one step of the history.
    void restoreEarlier(const journal::EarlierList& earlier);

    /// Stores the list, with whatever name or date has not reached the settings yet, and waits
    /// for the disk; then the journal notes that the settings hold the week.
    Outcome store();
    /// Waits until every store asked for has been written: success when all reached the disk.
    Outcome flushStores() { return m_writer.flush(); }
    /// Writes the week to a rescue file beside the settings (or in the home or temporary
    /// folder), for an ending at which the settings cannot be written; gives its path.
    Result<QString> rescue();

Q_SIGNALS:
    /// A change could not be written to the journal; emitted once a run.
    void journalWriteFailed(const QString& description);

private:
    void reportStoreFailure(const ProcedureStep& step, const Problem& problem);

    QString m_settingsPath;
    SettingsWriter m_writer;
    HomeworkListModel m_list;
    GeneralData m_fields;
    QUndoStack m_history;
    SettingsContent m_stored;
    RowShower m_showRow;
    ListPlaces m_places;
    std::unique_ptr<JournalKeeper> m_journal;
    QElapsedTimer m_clock;
    // Failing stores are reported once until a write succeeds again.
    bool m_storesFailing = false;
};

} // namespace quillory
