// SPDX-License-Identifier: MIT
// The main window with one class whose day text is 50 MB, stored and loaded as a user would
// have it: painting the class list, and typing one letter into the name box (which stores the
// name) with the window painted after it. Runs offscreen.
#include "app/form1.h"
#include "base/settings_store.h"
#include "bench/window_bench.h"
#include "homework/sample_data.h"
#include "homework/stored_form.h"
#include "tests/support/failure_status.h"
#include "tests/support/window_controls.h"

#include <QElapsedTimer>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace quillory;
using namespace Qt::StringLiterals;

namespace {

constexpr int Runs = 15;
constexpr qsizetype HugeText = 50 * 1024 * 1024;

void printSpread(const char* what, const std::function<void()>& action)
{
    std::vector<double> times;
    for (int run = 0; run < Runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        action();
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    std::printf("%-44s min %7.1f  median %7.1f  max %7.1f ms  (%d runs)\n", what, times.front(),
                times[times.size() / 2], times.back(), Runs);
}

} // namespace

int main(int argc, char** argv)
{
    bench::OffscreenProgram program(argc, argv);
    QList<HomeworkEntry> classes;
    classes.append(HomeworkEntry{u"1. Long reading"_s, {QString(HugeText, u'r')}});
    test::require(SaveSetting(QString::fromUtf16(SettingKey::Homework), toStoredForm(classes)));

    Form1 form({[] { return 1; }, [](const QUrl&) { return false; }});
    if (!form.Form_Load() || form.classList().entry(0).Days[0].size() != HugeText)
        return 1;
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        return 1;
    const test::Form1Controls controls(form);
    // grab() paints every cell now; repaint() may leave cells whose content did not change.
    printSpread("list repainted, one 50 MB day text:", [&] { (void)controls.ListView1->grab(); });
    printSpread("one letter typed into the name box:", [&] {
        QTest::keyClick(controls.Text1, Qt::Key_A);
        QCoreApplication::processEvents();
        (void)form.grab();
    });
    return program.prompts.errorReports().isEmpty() ? 0 : 1;
}
