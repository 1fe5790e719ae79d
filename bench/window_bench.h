// SPDX-License-Identifier: MIT

#pragma once

#include "document/layout/fonts.h"
#include "homework/homework_entry.h"
#include "tests/support/isolated_settings.h"
#include "tests/support/scripted_prompts.h"

#include <QApplication>
#include <QList>

namespace quillory::bench {

/// What a bench of the real windows runs in: an offscreen application with the program's font
/// substitutions, settings of its own and prompts that never wait for anyone.
class OffscreenProgram {
public:
    OffscreenProgram(int& argc, char** argv)
        : m_application((qputenv("QT_QPA_PLATFORM", "offscreen"), argc), argv)
    {
        doc::installFontSubstitutions();
    }

    /// The settings file the bench's windows use.
    test::IsolatedSettings settings;
    /// What would have been shown.
    test::ScriptedPrompts prompts;

private:
    QApplication m_application;
};

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
