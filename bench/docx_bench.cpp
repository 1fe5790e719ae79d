// SPDX-License-Identifier: MIT
// Saving the schedule as a Word 2007-365 file (.docx) for the sample, 200, 1,000 and 32,766
// classes of short day texts: the model written to the file on disk (the package made and the
// file replaced), the package alone, and the whole save as the preview does it (the working
// document read back first), with peak memory and the file's size.
// `docx_bench --out DIR` leaves the working documents and their .docx files in DIR.
#include "base/file_system.h"
#include "bench/bench_schedules.h"
#include "bench/bench_support.h"
#include "document/document_file.h"
#include "document/docx/docx_writer.h"
#include "document/paint/paged_output.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstdio>

using namespace quillory;
using namespace quillory::bench;
using namespace Qt::StringLiterals;

namespace {

// One schedule to save: its working document, how often to time it, and the wall-time target
// of writing the model to the file (0 for none).
struct Case {
    const char* name;
    QString document;
    int runs;
    double targetMs;
};

void writeDocx(const doc::Document& document, const QString& target)
{
    const doc::DocxResult docx = doc::toDocx(document, doc::scheduleTitle(document));
    if (docx.status != doc::DocxStatus::Written)
        qFatal("%s", qPrintable(docx.reason));
    replaceFileAtomically(target, docx.package);
}

void printRow(const char* what, int runs, const Timing& timing, const QString& note)
{
    std::printf("  %-40s %4d %10.2f %10.2f   %s\n", what, runs, timing.wallMs, timing.cpuMs,
                qPrintable(note));
}

void benchOurs(const Case& bench, const QString& folder)
{
    const QString target =
        QDir(folder).filePath(QFileInfo(bench.document).completeBaseName() + u".docx"_s);
    const doc::Document document = doc::readDocumentFile(bench.document);
    const QString title = doc::scheduleTitle(document);
    writeDocx(document, target); // the first run's allocations are not counted
    const bool reset = resetPeakMemory();
    const Timing written = medianTiming(bench.runs, [&] { writeDocx(document, target); });
    const long peak = peakMegabytes();
    const Timing alone = medianTiming(bench.runs, [&] { doc::toDocx(document, title); });
    const Timing save =
        medianTiming(bench.runs, [&] { writeDocx(doc::readDocumentFile(bench.document), target); });
    std::printf("%s: .docx %lld KB, working document %lld KB\n", bench.name,
                QFileInfo(target).size() / 1024, QFileInfo(bench.document).size() / 1024);
    QString note;
    if (bench.targetMs > 0)
        note = u"target < %1 ms%2"_s.arg(bench.targetMs)
                   .arg(written.wallMs < bench.targetMs ? u""_s : u"  OVER"_s);
    printRow("model to the file on disk", bench.runs, written, note);
    printRow("of which the package alone (toDocx)", bench.runs, alone, {});
    printRow("save (working document read, written)", bench.runs, save, {});
    std::printf("  %-40s %ld MB\n",
                reset ? "peak memory (max RSS) writing" : "peak memory (max RSS) of the process",
                peak);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    QTemporaryDir temporary;
    const QStringList arguments = application.arguments();
    const qsizetype out = arguments.indexOf(u"--out"_s);
    const QString folder = out >= 0 && out + 1 < arguments.size()
                               ? QDir(arguments[out + 1]).absolutePath()
                               : temporary.path();
    const QList<Case> cases{
        {"Sample (8 classes)", test::saveSchedule(test::sampleSchedule(), folder, u"sample"_s), 30,
         0},
        {"200 classes", saveClasses(200, folder, u"classes200"_s), 10, 0},
        {"1,000 classes", saveClasses(1000, folder, u"classes1000"_s), 5, 0},
        {"32,766 classes (the longest list)", saveClasses(32766, folder, u"classes32766"_s), 3,
         2000},
    };
    std::printf("%-42s %4s %10s %10s\n", "medians", "runs", "wall ms", "cpu ms");
    for (const Case& each : cases)
        benchOurs(each, folder);
    return 0;
}
