// SPDX-License-Identifier: MIT

#include "journal/journal_state.h"

#include "journal/journal_codec.h"

namespace quillory::journal {

namespace {

constexpr qint64 MsPerDay = 24 * 60 * 60 * 1000;
// In memory, earlier lists may take twice the journal's room; a journal begun anew keeps those
// of them that fit its room, compressed.
constexpr int EarlierListsInRooms = 2;

bool isRow(int row, qsizetype count)
{
    return row >= 0 && row < count;
}

} // namespace

bool JournalState::apply(const Record& record)
{
    m_endsStored = std::holds_alternative<StoredRecord>(record);
    if (const auto* step = std::get_if<StepRecord>(&record))
        return applyStep(*step);
    if (const auto* snapshot = std::get_if<SnapshotRecord>(&record)) {
        m_entries = snapshot->entries;
        m_size = listSize(m_entries);
        m_fields = snapshot->fields;
        m_stored = snapshot->stored;
        m_nextEarlierId = snapshot->nextEarlierId;
        m_earlier.clear();
        m_earlierSizes.clear();
    } else if (const auto* earlier = std::get_if<EarlierRecord>(&record)) {
        m_earlier.append(earlier->list);
        m_earlierSizes.append(listSize(earlier->list.entries));
    } else {
        m_stored = std::get<StoredRecord>(record).stored;
    }
    return true;
}

bool JournalState::applyStep(const StepRecord& step)
{
    // Only a step that keeps the list before it holds on to it: the list is copied on the first
    // change then, which a list of thousands of rows feels.
    const bool keeps = !step.replacedBy.isEmpty();
    const QList<HomeworkEntry> before = keeps ? m_entries : QList<HomeworkEntry>();
    const qint64 sizeBefore = m_size;
    for (const ListOp& op : step.ops) {
        if (!applyOp(op))
            return false;
    }
    const WeekFields fieldsBefore = std::exchange(m_fields, step.fields);
    if (keeps)
        keepEarlier(before, sizeBefore, fieldsBefore, step);
    return true;
}

bool JournalState::applyOp(const ListOp& op)
{
    const qsizetype count = m_entries.size();
    switch (op.kind) {
    case ListOp::Kind::Insert:
        if (op.row < 0 || op.row > count)
            return false;
        m_entries.insert(op.row, op.entry);
        m_size += entrySize(op.entry);
        return true;
    case ListOp::Kind::Remove:
        if (!isRow(op.row, count))
            return false;
        m_size -= entrySize(m_entries.at(op.row));
        m_entries.removeAt(op.row);
        return true;
    case ListOp::Kind::Replace:
        if (!isRow(op.row, count))
            return false;
        m_size += entrySize(op.entry) - entrySize(m_entries.at(op.row));
        m_entries[op.row] = op.entry;
        return true;
    case ListOp::Kind::Move:
        if (!isRow(op.row, count) || !isRow(op.to, count))
            return false;
        m_entries.move(op.row, op.to);
        return true;
    case ListOp::Kind::ReplaceAll:
        m_entries = op.entries;
        m_size = listSize(m_entries);
        return true;
    case ListOp::Kind::EmptyDays:
        for (HomeworkEntry& entry : m_entries)
            entry.Days = {};
        m_size = listSize(m_entries);
        return true;
    case ListOp::Kind::RestoreEarlier:
        for (qsizetype i = 0; i < m_earlier.size(); ++i) {
            if (m_earlier.at(i).id == op.earlierId) {
                m_entries = m_earlier.at(i).entries;
                m_size = m_earlierSizes.at(i);
                return true;
            }
        }
        return false;
    }
    return false;
}

// An empty list, a list the step left as it was, and the list the last one of the same command
// kept already (a command undone and made again) are not kept again.
void JournalState::keepEarlier(QList<HomeworkEntry> before, qint64 sizeBefore,
                               const WeekFields& fieldsBefore, const StepRecord& step)
{
    if (before.isEmpty() || before == m_entries)
        return;
    if (!m_earlier.isEmpty() && m_earlier.constLast().replacedBy == step.replacedBy &&
        m_earlier.constLast().entries == before)
        return;
    m_earlierSizes.append(sizeBefore);
    m_earlier.append(EarlierList{m_nextEarlierId++, step.replacedBy, step.replacedAtMs,
                                 std::move(before), fieldsBefore});
    if (m_earlier.size() > MostEarlierLists) {
        m_earlier.removeFirst();
        m_earlierSizes.removeFirst();
    }
    dropBeyondRoom();
}

// The newest list stays whatever its size; older ones go once they fill their share.
void JournalState::dropBeyondRoom()
{
    const qint64 share = room() * EarlierListsInRooms;
    qint64 taken = 0;
    for (qsizetype i = m_earlier.size() - 1; i >= 0; --i) {
        taken += m_earlierSizes.at(i);
        if (taken > share && i < m_earlier.size() - 1) {
            m_earlier.remove(0, i + 1);
            m_earlierSizes.remove(0, i + 1);
            return;
        }
    }
}

std::optional<quint64> JournalState::earlierHolding(const QList<HomeworkEntry>& entries) const
{
    for (qsizetype i = m_earlier.size() - 1; i >= 0; --i) {
        const EarlierList& earlier = m_earlier.at(i);
        // The same rows in memory answer at once; otherwise equal sizes are compared row by row.
        if ((earlier.entries.constData() == entries.constData() && !entries.isEmpty()) ||
            earlier.entries == entries)
            return earlier.id;
    }
    return std::nullopt;
}

QList<Record> JournalState::restarted(qint64 nowMs) const
{
    QList<Record> records{SnapshotRecord{m_entries, m_fields, m_stored, m_nextEarlierId}};
    const qint64 oldestKept = nowMs - EarlierListDays * MsPerDay;
    for (const EarlierList& earlier : m_earlier) {
        if (earlier.replacedAtMs >= oldestKept)
            records.append(EarlierRecord{earlier});
    }
    return records;
}

qint64 JournalState::room() const
{
    return std::max(SmallestRoom, 3 * m_size);
}

} // namespace quillory::journal
