// SPDX-License-Identifier: MIT

#pragma once

#include "journal/journal_records.h"

#include <QList>

#include <optional>

namespace quillory::journal {

/// At most this many earlier lists are kept.
inline constexpr int MostEarlierLists = 500;
/// Earlier lists older than this are dropped when the journal begins anew.
inline constexpr int EarlierListDays = 60;
/// The journal's room when the list is small.
inline constexpr qint64 SmallestRoom = 20'000'000;

/// The list, the name, the date and the earlier lists that a journal's records add up to. The
/// program keeps one beside the list it shows, and a start replays a journal into one, by the
/// same rules, so both agree on every earlier list and its id.
class JournalState {
public:
    /// Applies the next record; false when it does not fit (a row or an earlier list that is
    /// not there): the journal is damaged, and the state is of no further use.
    bool apply(const Record& record);

    /// The list after the last record.
    const QList<HomeworkEntry>& entries() const { return m_entries; }
    /// The name and date after the last record.
    const WeekFields& fields() const { return m_fields; }
    /// What the settings file held when the journal last knew it.
    const StoredWeek& stored() const { return m_stored; }
    /// Whether the last record says that the settings file holds the list, name and date.
    bool endsStored() const { return m_endsStored; }
    /// The earlier lists, oldest first.
    const QList<EarlierList>& earlierLists() const { return m_earlier; }

    /// The id of an earlier list that holds exactly these rows, newest first.
    std::optional<quint64> earlierHolding(const QList<HomeworkEntry>& entries) const;

    /// The records that begin a journal anew with this state: a snapshot, then the earlier
    /// lists replaced at `nowMs` or in the days before it that are kept.
    QList<Record> restarted(qint64 nowMs) const;

    /// The bytes the journal may take: 20 MB, or three times the list's size when that is more.
    /// Earlier lists are kept in memory up to twice that.
    qint64 room() const;

private:
    bool applyStep(const StepRecord& step);
    bool applyOp(const ListOp& op);
    void keepEarlier(QList<HomeworkEntry> before, qint64 sizeBefore, const WeekFields& fieldsBefore,
                     const StepRecord& step);
    void dropBeyondRoom();

    QList<HomeworkEntry> m_entries;
    // listSize(m_entries), kept up to date step by step.
    qint64 m_size = 0;
    WeekFields m_fields;
    StoredWeek m_stored;
    QList<EarlierList> m_earlier;
    QList<qint64> m_earlierSizes;
    quint64 m_nextEarlierId = 1;
    bool m_endsStored = false;
};

} // namespace quillory::journal
