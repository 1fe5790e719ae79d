// SPDX-License-Identifier: MIT

#include "app/sample_data_command.h"

#include "app/data_change.h"
#include "app/general_data.h"
#include "app/list_commands.h"
#include "base/guarded_procedure.h"
#include "base/report_locations.h"
#include "homework/homework_list_model.h"
#include "homework/sample_data.h"

#include <QDateTime>

namespace quillory {

namespace {

// Each example row is appended at its own step, 16 apart (the row and its seven days).
constexpr int FirstRowStep = 108;
constexpr int StepsPerRow = 16;

} // namespace

void loadSampleData(WeekData data)
{
    GuardedProcedure procedure(locations::Form1LoadSample);
    std::unique_ptr<DataChange> change = data.startChange(captions::LoadSample);
    procedure.step(100, [&] { data.fields.setName(sampleName()); });
    procedure.step(102, [&] { data.fields.setDate(QDateTime::currentDateTime()); });
    procedure.step(104, [&] { data.fields.DateTimePicker1_Change(); });
    // The rows the list held go to the change, which gives them back on Undo.
    procedure.step(106, [&] {
        change->apply(std::make_unique<RowsReplaced>(data.list, QList<HomeworkEntry>()));
    });
    const QList<HomeworkEntry> classes = sampleClasses();
    for (int k = 0; k < classes.size(); ++k)
        procedure.step(FirstRowStep + StepsPerRow * k, [&] { data.list.append(classes.at(k)); });
    DataChange::push(data.history, std::move(change));
}

} // namespace quillory
