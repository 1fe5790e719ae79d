#include "app/sample_data_command.h"

#include "app/general_data_frame.h"
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

void loadSampleData(GeneralDataFrame& generalData, HomeworkListModel& list)
{
    GuardedProcedure procedure(locations::Form1LoadSample);
    procedure.step(100, [&] { generalData.setName(sampleName()); });
    procedure.step(102, [&] { generalData.setDate(QDateTime::currentDateTime()); });
    procedure.step(104, [&] { generalData.DateTimePicker1_Change(); });
    procedure.step(106, [&] { list.clear(); });
    const QList<HomeworkEntry> classes = sampleClasses();
    for (int k = 0; k < classes.size(); ++k)
        procedure.step(FirstRowStep + StepsPerRow * k, [&] { list.append(classes.at(k)); });
}

} // namespace quillory
