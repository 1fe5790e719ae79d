// SPDX-License-Identifier: MIT

#pragma once

#include "homework/homework_entry.h"

#include <QDate>
#include <QList>
#include <QString>

namespace quillory {

/// The week a schedule was made of, as the user typed it: the pupil's name, the schedule's date
/// and the classes in list order.
struct SchoolWeek {
    QString name;
    QDate date;
    QList<HomeworkEntry> classes;
};

} // namespace quillory
