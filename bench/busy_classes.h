// SPDX-License-Identifier: MIT

#pragma once

#include "homework/homework_entry.h"

#include <QList>

namespace quillory::bench {

/// `count` classes as a busy student has them: a numbered period and homework on Monday,
/// Wednesday, Friday and Sunday.
inline QList<HomeworkEntry> busyClasses(int count)
{
    using namespace Qt::StringLiterals;
    QList<HomeworkEntry> classes;
    classes.reserve(count);
    for (int i = 1; i <= count; ++i) {
        HomeworkEntry entry{u"%1. Class of period %1"_s.arg(i), {}};
        for (int day = 0; day < DaysPerWeek; day += 2)
            entry.Days.at(day) = u"Chapter %1 problems 1-41 odd, then read pages %2 to %3"_s.arg(i)
                                     .arg(day * 10)
                                     .arg(day * 10 + 9);
        classes.append(entry);
    }
    return classes;
}

} // namespace quillory::bench
