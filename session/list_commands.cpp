// SPDX-License-Identifier: MIT

#include "session/list_commands.h"

#include "base/guarded_procedure.h"
#include "base/prompts.h"
#include "homework/general_fields.h"
#include "homework/homework_list_model.h"
#include "session/general_data.h"

#include <QLocale>

namespace quillory {

using namespace Qt::StringLiterals;

namespace {

constexpr qint16 AddMode = -1;
constexpr int DaysInAWeek = 7;

// The selected row when there is one the commands can act on; a note tells the user otherwise.
std::optional<int> rowToActOn(const HomeworkListModel& list, std::optional<int> selectedRow)
{
    if (!selectedRow || *selectedRow < 0 || *selectedRow >= list.rowCount()) {
        prompts().note(noSelectionNote());
        return std::nullopt;
    }
    return selectedRow;
}

// The step of Edit and Delete that finds their row: none on an empty list, where they end
// silently.
std::optional<int> selectedRowAt(int step, GuardedProcedure& procedure,
                                 const HomeworkListModel& list, std::optional<int> selectedRow)
{
    std::optional<int> row;
    procedure.step(step, [&] {
        if (list.rowCount() > 0)
            row = rowToActOn(list, selectedRow);
    });
    return row;
}

// The same classes with every day text empty.
QList<HomeworkEntry> withEmptyDays(const QList<HomeworkEntry>& entries)
{
    QList<HomeworkEntry> emptied;
    emptied.reserve(entries.size());
    for (const HomeworkEntry& entry : entries)
        emptied.append(HomeworkEntry{entry.Period, {}});
    return emptied;
}

} // namespace

std::unique_ptr<DataChange> WeekData::startChange(CommandKind kind) const
{
    return std::make_unique<DataChange>(kind, fields, showRow, places);
}

SelectedRowCommands selectedRowCommands(int rowCount, std::optional<int> selectedRow)
{
    if (!selectedRow || *selectedRow < 0 || *selectedRow >= rowCount)
        return {};
    return {*selectedRow<LastEditablePosition, true, *selectedRow> 0, *selectedRow < rowCount - 1};
}

QString noSelectionNote()
{
    return u"Please select a class in the list first."_s;
}

QString noNewWeekNote()
{
    return u"There is no week after this one: the date picker ends on December 31, 9999."_s;
}

QString rowOutOfReachNote(int position)
{
    return u"Class number %1 cannot be edited: only the first %2 classes of the list can be "
           u"opened in the editor."_s.arg(QLocale().toString(position),
                                          QLocale().toString(LastEditablePosition));
}

void addClass(WeekData data, const ClassEditorLoader& loadEditor)
{
    GuardedProcedure procedure = GuardedProcedure(locations::Form1AddClass);
    std::unique_ptr<DataChange> change = data.startChange(CommandKind::AddClass);
    std::unique_ptr<ClassEditor> editor;
    procedure.step(100, [&] {
        editor = loadEditor();
        editor->setIndex(AddMode);
    });
    const int rowsBefore = data.list.rowCount();
    if (editor)
        procedure.step(102, [&] { editor->showModal(); });
    // "Save" has appended the row itself.
    if (data.list.rowCount() == rowsBefore + 1)
        change->record(std::make_unique<RowInOrOut>(data.list, rowsBefore));
    DataChange::push(data.history, std::move(change));
}

void editSelectedClass(WeekData data, std::optional<int> selectedRow,
                       const ClassEditorLoader& loadEditor)
{
    GuardedProcedure procedure = GuardedProcedure(locations::Form1EditClass);
    const std::optional<int> row = selectedRowAt(100, procedure, data.list, selectedRow);
    if (!row)
        return;
    const int position = *row + 1;
    if (position > LastEditablePosition) {
        prompts().note(rowOutOfReachNote(position));
        return;
    }
    std::unique_ptr<DataChange> change = data.startChange(CommandKind::EditClass);
    HomeworkEntry entry = data.list.entry(*row);
    std::unique_ptr<ClassEditor> editor;
    procedure.step(102, [&] {
        editor = loadEditor();
        editor->setPeriod(entry.Period);
    });
    if (!editor)
        return;
    for (int day = 0; day < DaysPerWeek; ++day)
        procedure.step(106, [&] { editor->setDay(day, entry.Days.at(day)); });
    procedure.step(110, [&] { editor->setIndex(static_cast<qint16>(position)); });
    procedure.step(112, [&] { editor->showModal(); });
    // "Save" has replaced the row's texts itself.
    if (data.list.entry(*row) != entry)
        change->record(std::make_unique<RowTextsReplaced>(data.list, *row, std::move(entry)));
    DataChange::push(data.history, std::move(change));
}

void deleteSelectedClass(WeekData data, std::optional<int> selectedRow)
{
    GuardedProcedure procedure = GuardedProcedure(locations::Form1DeleteClass);
    const std::optional<int> row = selectedRowAt(100, procedure, data.list, selectedRow);
    if (!row)
        return;
    std::unique_ptr<DataChange> change = data.startChange(CommandKind::DeleteClass);
    procedure.step(102, [&] { change->apply(std::make_unique<RowInOrOut>(data.list, *row)); });
    DataChange::push(data.history, std::move(change));
}

void clearData(WeekData data)
{
    GuardedProcedure procedure = GuardedProcedure(locations::Form1ClearData);
    std::unique_ptr<DataChange> change = data.startChange(CommandKind::ClearData);
    data.fields.setName(QString(), procedure.at(100));
    procedure.step(102, [&] {
        if (data.list.rowCount() > 0)
            change->apply(std::make_unique<RowsReplaced>(data.list, QList<HomeworkEntry>()));
    });
    DataChange::push(data.history, std::move(change));
}

void startNewWeek(WeekData data)
{
    // The date picker would hold the week at its last moment, and the homework would be gone.
    if (data.fields.date().addDays(DaysInAWeek) > latestPickerDate()) {
        prompts().note(noNewWeekNote());
        return;
    }
    GuardedProcedure procedure = GuardedProcedure(locations::Form1NewWeek);
    std::unique_ptr<DataChange> change = data.startChange(CommandKind::NewWeek);
    data.fields.setDate(data.fields.date().addDays(DaysInAWeek));
    data.fields.storeDate(procedure.at(102));
    procedure.step(104, [&] {
        if (data.list.rowCount() > 0)
            change->apply(
                std::make_unique<RowsReplaced>(data.list, withEmptyDays(data.list.entries())));
    });
    DataChange::push(data.history, std::move(change));
}

void moveSelectedClass(WeekData data, std::optional<int> selectedRow, int by)
{
    GuardedProcedure procedure(by < 0 ? locations::Form1MoveUp : locations::Form1MoveDown);
    std::unique_ptr<DataChange> change =
        data.startChange(by < 0 ? CommandKind::MoveUp : CommandKind::MoveDown);
    procedure.step(100, [&] {
        const SelectedRowCommands can = selectedRowCommands(data.list.rowCount(), selectedRow);
        if (by < 0 ? can.moveUp : can.moveDown)
            change->apply(std::make_unique<RowMoved>(data.list, *selectedRow, *selectedRow + by));
    });
    DataChange::push(data.history, std::move(change));
}

} // namespace quillory
