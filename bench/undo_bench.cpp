// SPDX-License-Identifier: MIT
// Undo and Redo of "Clear/Reset Data" on the longest class list (32,766 classes), through the
// real main window offscreen: the command, then Undo and Redo, each with the list painted
// after it; once with a name to empty and give back, once with the name already empty. The
// classes were stored at the last close, so storing the name (which Undo and Redo do as any
// change of the name does) rewrites a settings file that holds them all. Prints the median
// times, what storing the name takes alone, and the memory the undo history holds.
#include "app/form1.h"
#include "base/settings_store.h"
#include "bench/bench_support.h"
#include "bench/window_bench.h"
#include "homework/general_fields.h"
#include "homework/stored_form.h"
#include "tests/support/failure_status.h"
#include "tests/support/window_controls.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QTest>

#include <cstdio>

using namespace quillory;
using namespace Qt::StringLiterals;

namespace {

constexpr int Classes = 32766;
constexpr int Runs = 15;
constexpr double BudgetMs = 50.0;

// Resident memory now, in megabytes (Linux).
double residentMegabytes()
{
    QFile status(u"/proc/self/statm"_s);
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> pages = status.readAll().split(' ');
    return pages.size() > 1 ? pages.at(1).toDouble() * 4096.0 / (1024.0 * 1024.0) : 0;
}

// The bytes the rows' texts and their entries take.
double listMegabytes(const QList<HomeworkEntry>& entries)
{
    qsizetype bytes = entries.capacity() * qsizetype(sizeof(HomeworkEntry));
    for (const HomeworkEntry& entry : entries) {
        bytes += entry.Period.capacity() * 2;
        for (const QString& day : entry.Days)
            bytes += day.capacity() * 2;
    }
    return double(bytes) / (1024.0 * 1024.0);
}

void report(const char* what, const bench::Timing& timing)
{
    std::printf("%-58s wall %7.1f ms  processor %7.1f ms%s\n", what, timing.wallMs, timing.cpuMs,
                timing.wallMs < BudgetMs ? "" : "  OVER BUDGET");
}

} // namespace

int main(int argc, char** argv)
{
    bench::OffscreenProgram program(argc, argv);
    test::require(SaveSetting(QString::fromUtf16(SettingKey::Homework),
                              toStoredForm(bench::busyClasses(Classes))));
    test::require(SaveSetting(u"Text1_0"_s, u"Dana Whitlow"_s));

    Form1 form({[] { return 1; }, [](const QUrl&) { return false; }});
    if (!form.Form_Load() || form.classList().rowCount() != Classes)
        return 1;
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        return 1;
    const test::Form1Controls controls(form);
    auto* menu = test::control<QMenu>(form, u"mnuList"_s);
    QAction* undo = menu->findChild<QAction*>(u"mnuUndo"_s);
    QAction* redo = menu->findChild<QAction*>(u"mnuRedo"_s);
    const auto painted = [&](const std::function<void()>& action) {
        return bench::timeOnce([&] {
            action();
            QCoreApplication::processEvents();
            (void)controls.ListView1->grab();
        });
    };

    const double held = listMegabytes(form.classList().entries());
    const double before = residentMegabytes();
    const bench::Timing cleared = painted([&] { controls.PushButton3->click(); });
    const double afterClearing = residentMegabytes();
    const auto undoAndRedo = [&](const char* with) {
        std::vector<bench::Timing> undos;
        std::vector<bench::Timing> redos;
        for (int run = 0; run < Runs; ++run) {
            undos.push_back(painted([&] { undo->trigger(); }));
            redos.push_back(painted([&] { redo->trigger(); }));
        }
        report(qPrintable(u"Undo, %1 (median):"_s.arg(QLatin1StringView(with))),
               bench::medianOf(undos));
        report(qPrintable(u"Redo, %1 (median):"_s.arg(QLatin1StringView(with))),
               bench::medianOf(redos));
    };
    std::printf("%d classes, settings file %.1f MB\n", Classes,
                double(QFile(program.settings.filePath()).size()) / (1024.0 * 1024.0));
    report("Clear/Reset Data, list painted:", cleared);
    undoAndRedo("name given back and stored, list painted");
    // The name already empty: the list alone changes.
    undo->trigger();
    controls.Text1->clear();
    controls.PushButton3->click();
    undoAndRedo("the list alone, painted");
    const bench::Timing storing =
        bench::medianTiming(Runs, [] { test::require(storeName(0, u"Dana"_s)); });
    report("Storing the name alone (median):", storing);
    std::printf("undo history holds the cleared rows: %.1f MB of entries and texts; resident "
                "memory %.1f MB before clearing, %.1f MB after (moved, not copied)\n",
                held, before, afterClearing);
    return program.prompts.errorReports().isEmpty() ? 0 : 1;
}
