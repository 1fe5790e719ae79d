// SPDX-License-Identifier: MIT

#include "session/journal_keeper.h"

#include "session/general_data.h"
#include "session/history_step.h"
#include "base/failure.h"
#include "homework/general_fields.h"
#include "homework/homework_list_model.h"

#include <QDateTime>
#include <QUndoStack>

#include <algorithm>

namespace quillory {

using journal::ListOp;

namespace {

bool isWithEmptyDays(const QList<HomeworkEntry>& entries, const QList<HomeworkEntry>& from)
{
    return entries.size() == from.size() &&
           std::equal(entries.cbegin(), entries.cend(), from.cbegin(),
                      [](const HomeworkEntry& emptied, const HomeworkEntry& full) {
                          return emptied == HomeworkEntry{full.Period, {}};
                      });
}

} // namespace

JournalKeeper::JournalKeeper(HomeworkListModel& list, QUndoStack& history,
                             const GeneralData& fields, const QString& settingsPath)
    : m_list(list)
    , m_history(history)
    , m_fields(fields)
    , m_journal(settingsPath)
{
}

journal::Week JournalKeeper::shownWeek() const
{
    return {m_list.entries(), {m_fields.name(), storedDateText(m_fields.date())}};
}

journal::Opening JournalKeeper::open()
{
    return m_journal.open(shownWeek());
}

void JournalKeeper::begin(const journal::Week& stored)
{
    m_historyIndex = m_history.index();
    follow();
    m_journal.begin(shownWeek(), stored);
}

void JournalKeeper::follow()
{
    if (std::exchange(m_following, true))
        return;
    connect(&m_list, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex&, int first, int last) { noteInserted(first, last); });
    connect(&m_list, &QAbstractItemModel::rowsRemoved, this,
            [this](const QModelIndex&, int first, int last) { noteRemoved(first, last); });
    connect(&m_list, &QAbstractItemModel::rowsMoved, this,
            [this](const QModelIndex&, int from, int, const QModelIndex&, int before) {
                noteMoved(from, before > from ? before - 1 : before);
            });
    connect(&m_list, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex& first, const QModelIndex& last) {
                noteChanged(first.row(), last.row());
            });
    connect(&m_list, &QAbstractItemModel::modelAboutToBeReset, this,
            [this] { m_beforeReset = m_list.entries(); });
    connect(&m_list, &QAbstractItemModel::modelReset, this, &JournalKeeper::noteReset);
    connect(&m_history, &QUndoStack::indexChanged, this, &JournalKeeper::historyMoved);
}

void JournalKeeper::noteInserted(int first, int last)
{
    for (int row = first; row <= last; ++row)
        m_pending.append(ListOp{ListOp::Kind::Insert, row, 0, m_list.entry(row), {}, 0});
}

void JournalKeeper::noteRemoved(int first, int last)
{
    for (int row = last; row >= first; --row)
        m_pending.append(ListOp{ListOp::Kind::Remove, row, 0, {}, {}, 0});
}

void JournalKeeper::noteMoved(int from, int to)
{
    m_pending.append(ListOp{ListOp::Kind::Move, from, to, {}, {}, 0});
}

void JournalKeeper::noteChanged(int first, int last)
{
    for (int row = first; row <= last; ++row)
        m_pending.append(ListOp{ListOp::Kind::Replace, row, 0, m_list.entry(row), {}, 0});
}

// A list replaced at once is written as what it is, where the journal knows it: an emptied
// week or an earlier list; the rows themselves only when it is neither.
void JournalKeeper::noteReset()
{
    const QList<HomeworkEntry>& entries = m_list.entries();
    const QList<HomeworkEntry> before = std::exchange(m_beforeReset, {});
    std::optional<quint64> earlier;
    if (!entries.isEmpty() && isWithEmptyDays(entries, before))
        m_pending.append(ListOp{ListOp::Kind::EmptyDays, 0, 0, {}, {}, 0});
    else if (!entries.isEmpty() && (earlier = m_journal.state().earlierHolding(entries)))
        m_pending.append(ListOp{ListOp::Kind::RestoreEarlier, 0, 0, {}, {}, *earlier});
    else
        m_pending.append(ListOp{ListOp::Kind::ReplaceAll, 0, 0, {}, entries, 0});
}

void JournalKeeper::historyMoved(int index)
{
    const int from = std::exchange(m_historyIndex, index);
    const auto* made =
        index > from ? dynamic_cast<const HistoryStep*>(m_history.command(index - 1)) : nullptr;
    journal::StepRecord step{std::exchange(m_pending, {}), shownWeek().fields, {}, 0};
    if (made && keepsReplacedList(made->kind())) {
        step.replacedBy = commandCaption(made->kind());
        step.replacedAtMs = QDateTime::currentMSecsSinceEpoch();
    }
    if (step.ops.isEmpty() && step.fields == m_journal.state().fields())
        return;
    write([&] { m_journal.record(step); });
}

void JournalKeeper::recordStep()
{
    historyMoved(m_history.index());
}

void JournalKeeper::recordStored()
{
    recordStep();
    const journal::Week shown = shownWeek();
    write([&] { m_journal.recordStored(shown); });
    waitForDisk();
}

void JournalKeeper::write(const std::function<void()>& recording)
{
    try {
        recording();
    } catch (const Failure& failure) {
        if (!std::exchange(m_toldFailure, true))
            Q_EMIT writeFailed(failure.description());
    }
}

QList<journal::EarlierList> JournalKeeper::earlierLists() const
{
    return m_journal.earlierLists(QDateTime::currentMSecsSinceEpoch());
}

} // namespace quillory
