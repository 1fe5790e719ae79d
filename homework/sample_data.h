// SPDX-License-Identifier: MIT

#pragma once

#include "homework/homework_entry.h"

#include <QList>
#include <QString>

namespace quillory {

/// The example pupil's name.
QString sampleName();

/// The example week: eight classes in list order.
QList<HomeworkEntry> sampleClasses();

} // namespace quillory
