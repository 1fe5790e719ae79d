// SPDX-License-Identifier: MIT

#pragma once

#include "tests/document/schedule_fixture.h"

#include <QList>
#include <QString>

namespace quillory::bench {

/// `count` classes with homework of 20 to 60 characters on every day, different for each day.
QList<test::ClassRow> classes(int count);

/// One of the schedules the save benchmarks time: its working document, saved as the program
/// saves it.
struct SavedSchedule {
    const char* name;
    QString document;
};

/// The sample week, then 200, 1,000 and 32,766 classes (the longest list) of `classes`, saved in
/// the folder.
QList<SavedSchedule> savedSchedules(const QString& folder);

/// The folder `--out DIR` names among the arguments, made absolute; `fallback` without one.
QString outFolder(const QStringList& arguments, const QString& fallback);

} // namespace quillory::bench
