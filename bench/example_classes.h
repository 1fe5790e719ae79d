// SPDX-License-Identifier: MIT

#pragma once

#include "app/form1.h"
#include "tests/support/window_controls.h"

namespace quillory::bench {

/// The main window's list: the example week, then short classes up to `count`, each with
/// homework on one day.
inline void loadClasses(Form1& form, int count)
{
    using namespace Qt::StringLiterals;
    form.classList().clear();
    test::Form1Controls(form).PushButton4->click(); // the example week
    for (int i = form.classList().rowCount(); i < count; ++i) {
        HomeworkEntry entry{u"%1. Class"_s.arg(i + 1), {}};
        entry.Days[i % DaysPerWeek] = u"Chapter %1 problems 1-41 odd"_s.arg(i);
        form.classList().append(entry);
    }
}

} // namespace quillory::bench
