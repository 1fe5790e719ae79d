// SPDX-License-Identifier: MIT

#include "session/data_change.h"

#include "session/general_data.h"
#include "base/guarded_procedure.h"

#include <QUndoStack>

#include <utility>

namespace quillory {

namespace {

// Undo and redo report the name at step 100, the date at 102, the list's changes from 104 on.
constexpr int NameStep = 100;
constexpr int DateStep = 102;
constexpr int FirstListStep = 104;

} // namespace

DataChange::DataChange(CommandKind kind, GeneralData& fields, RowShower showRow,
                       ListPlaces places)
    : HistoryStep(kind)
    , m_fields(fields)
    , m_showRow(std::move(showRow))
    , m_places(std::move(places))
    , m_before(current())
{
    if (m_places.note)
        m_placeBefore = m_places.note();
}

DataChange::Fields DataChange::current() const
{
    return {m_fields.name(), m_fields.date()};
}

void DataChange::apply(std::unique_ptr<ListChange> change)
{
    m_listChanges.push_back(std::move(change));
    m_listChanges.back()->toggle();
}

void DataChange::record(std::unique_ptr<ListChange> change)
{
    m_listChanges.push_back(std::move(change));
}

void DataChange::push(QUndoStack& history, std::unique_ptr<DataChange> change)
{
    change->m_after = change->current();
    if (change->m_places.note)
        change->m_placeAfter = change->m_places.note();
    const bool fieldsChanged = change->m_after.name != change->m_before.name ||
                               change->m_after.date != change->m_before.date;
    if (fieldsChanged || !change->m_listChanges.empty())
        history.push(change.release());
}

void DataChange::undo()
{
    GuardedProcedure procedure(locations::Form1Undo);
    showFields(procedure, m_after, m_before);
    std::optional<int> changedRow;
    const int count = int(m_listChanges.size());
    for (int i = 0; i < count; ++i)
        toggleListChange(procedure, FirstListStep + 2 * i, count - 1 - i, changedRow);
    showChange(changedRow, m_placeBefore);
}

void DataChange::redo()
{
    if (std::exchange(m_madeByCommand, false))
        return;
    GuardedProcedure procedure(locations::Form1Redo);
    showFields(procedure, m_before, m_after);
    std::optional<int> changedRow;
    for (int i = 0; i < int(m_listChanges.size()); ++i)
        toggleListChange(procedure, FirstListStep + 2 * i, i, changedRow);
    showChange(changedRow, m_placeAfter);
}

void DataChange::showChange(std::optional<int> changedRow, const std::optional<ListPlace>& place)
{
    if (changedRow && m_showRow)
        m_showRow(*changedRow);
    else if (!changedRow && place && m_places.restore && !m_listChanges.empty())
        m_places.restore(*place);
}

void DataChange::toggleListChange(GuardedProcedure& procedure, int step, int index,
                                  std::optional<int>& changedRow)
{
    procedure.step(step, [&] {
        if (const std::optional<int> row = m_listChanges[index]->toggle())
            changedRow = row;
    });
}

void DataChange::showFields(GuardedProcedure& procedure, const Fields& from, const Fields& to)
{
    if (to.name != from.name)
        m_fields.setName(to.name, procedure.at(NameStep));
    if (to.date != from.date) {
        m_fields.setDate(to.date);
        m_fields.storeDate(procedure.at(DateStep));
    }
}

} // namespace quillory
