// SPDX-License-Identifier: MIT
// Saving and loading the longest class list through the real settings file.
#include "base/settings_store.h"
#include "homework/homework_list_model.h"
#include "homework/homework_store.h"
#include "homework/stored_form.h"
#include "tests/support/failure_status.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace quillory;

namespace {

constexpr int Rows = 32766;

QList<HomeworkEntry> fullList()
{
    const QString field(40, u'x');
    QList<HomeworkEntry> entries;
    entries.reserve(Rows);
    for (int i = 0; i < Rows; ++i) {
        HomeworkEntry entry{field, {}};
        entry.Days.fill(field);
        entries.append(entry);
    }
    return entries;
}

void saveHomeworkList(benchmark::State& state)
{
    HomeworkListModel list;
    list.setEntries(fullList());
    for (auto _ : state)
        test::require(SaveHomeworkList(list));
}

void loadHomeworkList(benchmark::State& state)
{
    HomeworkListModel list;
    list.setEntries(fullList());
    test::require(SaveHomeworkList(list));
    const QString file = settingsFilePath();
    for (auto _ : state) {
        // A new modification time makes QSettings read the file again, as at a real start.
        state.PauseTiming();
        QFile(file).setFileTime(QDateTime::currentDateTime().addSecs(state.iterations()),
                                QFileDevice::FileModificationTime);
        state.ResumeTiming();
        test::require(LoadHomeworkList(list));
        benchmark::DoNotOptimize(list.rowCount());
    }
}

// Qt's own INI format storing the same text, for comparison: the reason for our own writer.
void saveWithQtsOwnFormat(benchmark::State& state)
{
    const QString stored = toStoredForm(fullList());
    for (auto _ : state) {
        QSettings settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Velmora"),
                           QStringLiteral("QtOwn"));
        settings.setValue(QStringLiteral("Quillory/Homework"), stored);
        settings.sync();
    }
}

void storedFormOnly(benchmark::State& state)
{
    const QList<HomeworkEntry> entries = fullList();
    for (auto _ : state)
        benchmark::DoNotOptimize(toStoredForm(entries));
}

BENCHMARK(storedFormOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(saveHomeworkList)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(loadHomeworkList)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(saveWithQtsOwnFormat)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    QTemporaryDir folder;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(folder.path()));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
