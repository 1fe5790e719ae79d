// SPDX-License-Identifier: MIT

#include "session/sample_data_command.h"

#include "session/data_change.h"
#include "session/general_data.h"
#include "session/list_commands.h"
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
    std::unique_ptr<DataChange> change = data.startChange(CommandKind::LoadSample);
    data.fields.setName(sampleName(), procedure.at(100));
    data.fields.setDate(QDateTime::currentDateTime());
    data.fields.storeDate(procedure.at(104));
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
