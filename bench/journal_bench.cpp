// SPDX-License-Identifier: MIT
// What the journal adds to a change of the class list, for 200 classes and for the longest list
// (32,766): editing a class, deleting one (its list kept as an earlier list) and undoing a new
// week (an earlier list back), each with and without the journal following the list; the
// journal's own write reaches the disk in the background, so the time until it has is printed
// too. Then the journal's size with 500 earlier lists of 200 classes. Prints median times.
#include "base/settings_writer.h"
#include "bench/bench_support.h"
#include "homework/homework_list_model.h"
#include "homework/sample_data.h"
#include "session/general_data.h"
#include "session/journal_keeper.h"

#include <QApplication>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QUndoStack>

#include <cstdio>

using namespace quillory;
using namespace Qt::StringLiterals;

namespace {

constexpr int Runs = 41;

// A step of the history that the list has made already.
class Made final : public QUndoCommand {
public:
    explicit Made(const QString& caption, std::function<void()> back = {},
                  std::function<void()> again = {})
        : QUndoCommand(caption)
        , m_back(std::move(back))
        , m_again(std::move(again))
    {
    }
    void undo() override { m_back(); }
    void redo() override
    {
        if (!std::exchange(m_first, false))
            m_again();
    }

private:
    std::function<void()> m_back;
    std::function<void()> m_again;
    bool m_first = true;
};

QList<HomeworkEntry> classes(int count)
{
    const QList<HomeworkEntry> sample = sampleClasses();
    QList<HomeworkEntry> rows;
    for (int i = 0; i < count; ++i) {
        HomeworkEntry row = sample.at(i % sample.size());
        row.Period = QString::number(i + 1) + u". "_s + row.Period.mid(3);
        rows.append(row);
    }
    return rows;
}

// One list, with or without the journal following it.
struct Setup {
    QTemporaryDir folder;
    HomeworkListModel list;
    QUndoStack history;
    SettingsWriter writer{folder.filePath(u"Quillory.conf"_s)};
    GeneralData fields{writer};
    std::unique_ptr<JournalKeeper> keeper;

    Setup(int count, bool journal)
    {
        fields.showName(u"Dana Whitlow"_s);
        fields.setDate(QDateTime(QDate(2026, 12, 14), QTime(9, 12)));
        list.setEntries(classes(count));
        if (!journal)
            return;
        keeper = std::make_unique<JournalKeeper>(list, history, fields,
                                                 folder.filePath(u"Quillory.conf"_s));
        keeper->open();
        keeper->begin(keeper->shownWeek());
    }
    void settle()
    {
        if (keeper)
            keeper->waitForDisk();
    }
};

void edit(Setup& setup, int round)
{
    HomeworkEntry row = setup.list.entry(round % setup.list.rowCount());
    row.Days[0] = u"Read pages "_s + QString::number(round);
    setup.list.replace(round % setup.list.rowCount(), row);
    setup.history.push(new Made(u"Edit Selected Class"_s));
}

// A week of homework, every text its own.
QList<HomeworkEntry> week(const QList<HomeworkEntry>& rows, int round)
{
    QList<HomeworkEntry> full = rows;
    for (qsizetype i = 0; i < full.size(); ++i) {
        for (QString& day : full[i].Days) {
            if (!day.isEmpty())
                day += u" (week %1, class %2)"_s.arg(round).arg(i + 1);
        }
    }
    return full;
}

// A week filled in and a new week made, untimed; its undo (the earlier list back) timed.
void undoNewWeek(Setup& setup, int round, const std::function<void(std::function<void()>)>& timed)
{
    const QList<HomeworkEntry> full = week(classes(int(setup.list.rowCount())), round);
    setup.list.setEntries(full);
    setup.history.push(new Made(u"Edit Selected Class"_s));
    QList<HomeworkEntry> emptied;
    for (const HomeworkEntry& row : full)
        emptied.append(HomeworkEntry{row.Period, {}});
    setup.list.setEntries(emptied);
    setup.history.push(new Made(
        u"Start a New Week"_s, [&setup, full] { setup.list.setEntries(full); },
        [&setup, emptied] { setup.list.setEntries(emptied); }));
    setup.settle();
    timed([&setup] { setup.history.undo(); });
}

using Change = std::function<void(Setup&, int, const std::function<void(std::function<void()>)>&)>;

// Median of the timed part of each run; `durable` waits for the disk inside the timing.
double medianMs(int count, bool journal, bool durable, const Change& change)
{
    Setup setup(count, journal);
    std::vector<bench::Timing> timings;
    for (int round = 0; round < Runs; ++round) {
        change(setup, round, [&](const std::function<void()>& action) {
            timings.push_back(bench::timeOnce([&] {
                action();
                if (durable)
                    setup.settle();
            }));
        });
        setup.settle();
    }
    return bench::medianOf(timings).wallMs;
}

void compare(const char* what, int count, double budgetMs, const Change& change)
{
    const double without = medianMs(count, false, false, change);
    const double with = medianMs(count, true, false, change);
    const double durable = medianMs(count, true, true, change);
    const double added = with - without;
    std::printf("%-34s %6d classes: without %7.2f ms, with %7.2f ms, added %6.2f ms%s; "
                "on disk after %7.2f ms\n",
                what, count, without, with, added, added <= budgetMs ? "" : " OVER BUDGET",
                durable);
}

void journalOf500EarlierLists()
{
    QTemporaryDir folder;
    const QString settings = folder.filePath(u"Quillory.conf"_s);
    {
        Setup setup(200, false);
        JournalKeeper keeper(setup.list, setup.history, setup.fields, settings);
        keeper.open();
        keeper.begin(keeper.shownWeek());
        for (int week = 0; week < 500; ++week)
            undoNewWeek(setup, week, [](const std::function<void()>&) {});
        keeper.waitForDisk();
    }
    const qint64 before = QFileInfo(settings + u".journal"_s).size();
    // The next start reads it and begins it anew with the earlier lists.
    Setup again(200, false);
    JournalKeeper keeper(again.list, again.history, again.fields, settings);
    const bench::Timing start = bench::timeOnce([&] {
        keeper.open();
        keeper.begin(keeper.shownWeek());
    });
    std::printf("500 weeks of 200 classes, each text its own: journal %.1f MB, begun anew "
                "%.1f MB with %lld earlier lists (room 20 MB); reading and beginning it at "
                "start %.0f ms\n",
                double(before) / 1e6, double(QFileInfo(settings + u".journal"_s).size()) / 1e6,
                qlonglong(keeper.earlierLists().size()), start.wallMs);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    const Change editing = [](Setup& setup, int round, const auto& timed) {
        timed([&] { edit(setup, round); });
    };
    const Change deleting = [](Setup& setup, int round, const auto& timed) {
        timed([&] {
            HomeworkEntry taken = setup.list.take(round % setup.list.rowCount());
            setup.history.push(new Made(u"Delete Selected Class"_s));
            Q_UNUSED(taken);
        });
        setup.settle();
        setup.list.insert(round % (setup.list.rowCount() + 1), classes(1).constFirst());
        setup.history.push(new Made(u"Add Class"_s));
    };
    for (const auto& [count, budget] : {std::pair{200, 2.0}, std::pair{32766, 20.0}}) {
        compare("edit a class", count, budget, editing);
        compare("delete a class (list kept)", count, budget, deleting);
        compare("undo a new week (list back)", count, budget, undoNewWeek);
    }
    journalOf500EarlierLists();
    return 0;
}
