// SPDX-License-Identifier: MIT
// What a change of the week costs the user's thread, on a slow disk (every sync and rename of
// the settings file and the journal takes 50 ms, as a busy spinning disk or a network home
// folder can): a key typed in the name box, a class edited, a class deleted, a new week and its
// undo and redo, for 200 classes and the longest list (32,766). Writing and syncing happen on
// threads of their own, so the user's thread is to stay within 2 ms of processor time a change.
// Prints median wall times and the user's thread's processor times.
#include "base/settings_store.h"
#include "bench/bench_support.h"
#include "bench/busy_classes.h"
#include "homework/stored_form.h"
#include "session/list_commands.h"
#include "session/week_session.h"
#include "tests/support/failure_status.h"
#include "tests/support/faulty_file_layer.h"
#include "tests/support/isolated_settings.h"
#include "tests/support/scripted_prompts.h"

#include <QGuiApplication>

#include <cstdio>

#include <time.h>

using namespace quillory;
using namespace Qt::StringLiterals;

namespace {

constexpr int Runs = 41;
constexpr int SlowDiskMs = 50;
constexpr double BudgetMs = 2.0;

// An editor that saves one text into the row it is given, as "Save" does.
class EditingEditor final : public ClassEditor {
public:
    EditingEditor(HomeworkListModel& list, QString monday)
        : m_list(list)
        , m_monday(std::move(monday))
    {
    }
    void setPeriod(const QString&) override {}
    void setDay(int, const QString&) override {}
    void setIndex(qint16 index) override { m_row = index - 1; }
    void showModal() override
    {
        HomeworkEntry entry = m_list.entry(m_row);
        entry.Days[0] = m_monday;
        m_list.replace(m_row, entry);
    }

private:
    HomeworkListModel& m_list;
    QString m_monday;
    int m_row = 0;
};

void report(int classes, const char* what, const bench::Timing& timing)
{
    std::printf("%6d classes  %-26s wall %6.2f ms  user's thread %6.2f ms%s\n", classes, what,
                timing.wallMs, timing.cpuMs, timing.cpuMs <= BudgetMs ? "" : "  OVER BUDGET");
}

double threadMs()
{
    timespec now{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1000.0 + double(now.tv_nsec) / 1e6;
}

// The change, with the events it leaves for the user's thread: its wall time, and the
// processor time of that thread alone (the writing threads run beside it).
bench::Timing changeTime(const std::function<void()>& change)
{
    const double threadBefore = threadMs();
    bench::Timing timing = bench::timeOnce([&] {
        change();
        QCoreApplication::processEvents();
    });
    timing.cpuMs = threadMs() - threadBefore;
    return timing;
}

void measure(int classes)
{
    const test::IsolatedSettings settings;
    test::require(SaveSetting(u"Homework"_s, toStoredForm(bench::busyClasses(classes))));
    test::FaultyFileLayer slowDisk;
    slowDisk.delayMs = SlowDiskMs;
    WeekSession session(settingsFilePath(), slowDisk);
    session.readStored();
    (void)session.restoreList();
    session.openJournal();
    test::require(session.flushStores());

    std::vector<bench::Timing> keys, edits, deletes, weeks, undos, redos;
    QString name;
    for (int run = 0; run < Runs; ++run) {
        name += QChar(u'a' + run % 26);
        keys.push_back(changeTime([&] { session.typeName(name); }));
        edits.push_back(changeTime([&] {
            editSelectedClass(session.weekData(), run, [&] {
                return std::make_unique<EditingEditor>(session.list(), u"Read %1"_s.arg(run));
            });
        }));
        deletes.push_back(changeTime([&] { deleteSelectedClass(session.weekData(), 0); }));
        weeks.push_back(changeTime([&] { startNewWeek(session.weekData()); }));
        undos.push_back(changeTime([&] { session.history().undo(); }));
        // Made again, so that the next change discards no step of the history.
        redos.push_back(changeTime([&] { session.history().redo(); }));
    }
    report(classes, "a key in the name box", bench::medianOf(keys));
    report(classes, "a class edited", bench::medianOf(edits));
    report(classes, "a class deleted", bench::medianOf(deletes));
    report(classes, "a new week", bench::medianOf(weeks));
    report(classes, "the new week undone", bench::medianOf(undos));
    report(classes, "the new week made again", bench::medianOf(redos));
    test::require(session.store());
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication application((qputenv("QT_QPA_PLATFORM", "offscreen"), argc), argv);
    test::ScriptedPrompts prompts;
    for (const int classes : {200, 32766})
        measure(classes);
    return prompts.errorReports().isEmpty() ? 0 : 1;
}
