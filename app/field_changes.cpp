// SPDX-License-Identifier: MIT

#include "app/field_changes.h"

#include "app/general_data.h"
#include "base/guarded_procedure.h"

#include <utility>

namespace quillory {

using namespace Qt::StringLiterals;

namespace {

// As for the commands' changes: the name is reported at step 100, the date at 102.
constexpr int NameStep = 100;
constexpr int DateStep = 102;
// Tells typing steps apart from every other kind, for merging.
constexpr int NameTypedId = 1;

const ReportLocation& locationOf(bool undoing)
{
    return undoing ? locations::Form1Undo : locations::Form1Redo;
}

} // namespace

NameTyped::NameTyped(GeneralData& fields, QString before, QString after, const TextEdit& edit)
    : QUndoCommand(u"Typing"_s)
    , m_fields(fields)
    , m_before(std::move(before))
    , m_after(std::move(after))
    , m_lastEdit(edit)
{
}

int NameTyped::id() const
{
    return NameTypedId;
}

bool NameTyped::mergeWith(const QUndoCommand* other)
{
    const auto* next = static_cast<const NameTyped*>(other);
    if (!m_open || !continuesTyping(m_lastEdit, next->m_lastEdit))
        return false;
    m_after = next->m_after;
    m_lastEdit = next->m_lastEdit;
    return true;
}

void NameTyped::undo()
{
    m_open = false;
    GuardedProcedure(locationOf(true)).step(NameStep, [&] { m_fields.setName(m_before); });
}

void NameTyped::redo()
{
    if (std::exchange(m_madeByTyping, false))
        return;
    m_open = false;
    GuardedProcedure(locationOf(false)).step(NameStep, [&] { m_fields.setName(m_after); });
}

DateChanged::DateChanged(GeneralData& fields, QDateTime before, QDateTime after)
    : QUndoCommand(u"Date Change"_s)
    , m_fields(fields)
    , m_before(std::move(before))
    , m_after(std::move(after))
{
}

void DateChanged::undo()
{
    GuardedProcedure(locationOf(true)).step(DateStep, [&] {
        m_fields.setDate(m_before);
        m_fields.DateTimePicker1_Change();
    });
}

void DateChanged::redo()
{
    if (std::exchange(m_madeByPicker, false))
        return;
    GuardedProcedure(locationOf(false)).step(DateStep, [&] {
        m_fields.setDate(m_after);
        m_fields.DateTimePicker1_Change();
    });
}

} // namespace quillory
