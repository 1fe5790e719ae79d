#include "app/list_commands.h"

#include "app/general_data_frame.h"
#include "base/guarded_procedure.h"
#include "base/prompts.h"
#include "homework/homework_list_model.h"

#include <QLocale>

namespace quillory {

using namespace Qt::StringLiterals;

namespace {

constexpr qint16 AddMode = -1;

// The selected row when there is one the commands can act on; a note tells the user otherwise.
std::optional<int> rowToActOn(const HomeworkListModel& list, std::optional<int> selectedRow)
{
    if (!selectedRow || *selectedRow < 0 || *selectedRow >= list.rowCount()) {
        prompts().note(noSelectionNote());
        return std::nullopt;
    }
    return selectedRow;
}

} // namespace

QString noSelectionNote()
{
    return u"Please select a class in the list first."_s;
}

QString rowOutOfReachNote(int position)
{
    return u"Class number %1 cannot be edited: only the first %2 classes of the list can be "
           u"opened in the editor."_s.arg(QLocale().toString(position),
                                          QLocale().toString(LastEditablePosition));
}

void addClass(const ClassEditorLoader& loadEditor)
{
    GuardedProcedure procedure = GuardedProcedure(locations::Form1AddClass);
    std::unique_ptr<ClassEditor> editor;
    procedure.step(100, [&] {
        editor = loadEditor();
        editor->setIndex(AddMode);
    });
    if (editor)
        procedure.step(102, [&] { editor->showModal(); });
}

void editSelectedClass(const HomeworkListModel& list, std::optional<int> selectedRow,
                       const ClassEditorLoader& loadEditor)
{
    GuardedProcedure procedure = GuardedProcedure(locations::Form1EditClass);
    std::optional<int> row;
    procedure.step(100, [&] {
        if (list.rowCount() > 0)
            row = rowToActOn(list, selectedRow);
    });
    if (!row)
        return;
    const int position = *row + 1;
    if (position > LastEditablePosition) {
        prompts().note(rowOutOfReachNote(position));
        return;
    }
    const HomeworkEntry entry = list.entry(*row);
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
}

void deleteSelectedClass(HomeworkListModel& list, std::optional<int> selectedRow)
{
    GuardedProcedure procedure = GuardedProcedure(locations::Form1DeleteClass);
    std::optional<int> row;
    procedure.step(100, [&] {
        if (list.rowCount() > 0)
            row = rowToActOn(list, selectedRow);
    });
    if (row)
        procedure.step(102, [&] { list.remove(*row); });
}

void clearData(GeneralDataFrame& generalData, HomeworkListModel& list)
{
    GuardedProcedure procedure = GuardedProcedure(locations::Form1ClearData);
    procedure.step(100, [&] { generalData.setName(QString()); });
    procedure.step(102, [&] { list.clear(); });
}

} // namespace quillory
