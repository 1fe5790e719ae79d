#pragma once

#include "homework/homework_entry.h"

#include <QList>
#include <QString>

namespace quillory {

class GeneralDataFrame;
class HomeworkListModel;

/// The example pupil's name.
QString sampleName();

/// The example week: eight classes in list order.
QList<HomeworkEntry> sampleClasses();

/// "Load Sample/Example Data": puts the example name, today's date and the example classes in
/// place of what was there. Name and date are stored at once; the list when the window closes.
void LoadSampleData(GeneralDataFrame& generalData, HomeworkListModel& list);

} // namespace quillory
