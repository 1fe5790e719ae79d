// SPDX-License-Identifier: MIT

#include "session/field_changes.h"

#include "session/general_data.h"
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
    : HistoryStep(CommandKind::Typing)
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
    m_fields.setName(m_before, {locationOf(true), NameStep});
}

void NameTyped::redo()
{
    if (std::exchange(m_madeByTyping, false))
        return;
    m_open = false;
    m_fields.setName(m_after, {locationOf(false), NameStep});
}

DateChanged::DateChanged(GeneralData& fields, QDateTime before, QDateTime after)
    : HistoryStep(CommandKind::DateChange)
    , m_fields(fields)
    , m_before(std::move(before))
    , m_after(std::move(after))
{
}

void DateChanged::undo()
{
    m_fields.setDate(m_before);
    m_fields.storeDate({locationOf(true), DateStep});
}

void DateChanged::redo()
{
    if (std::exchange(m_madeByPicker, false))
        return;
    m_fields.setDate(m_after);
    m_fields.storeDate({locationOf(false), DateStep});
}

} // namespace quillory
