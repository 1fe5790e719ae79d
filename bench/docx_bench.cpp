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

void writeDocx(const doc::Document& document, const QString& target)
{
    const doc::DocxResult docx = doc::toDocx(document, doc::scheduleTitle(document));
    if (docx.status != doc::DocxStatus::Written)
        qFatal("%s", qPrintable(docx.reason));
    if (const Outcome written = replaceFileAtomically(target, docx.package); !written)
        qFatal("%s", qPrintable(written.problem().description));
}

// Times the schedule `runs` times; `targetMs` is the wall-time target of writing the model to the
// file (0 for none).
void benchOurs(const SavedSchedule& bench, int runs, double targetMs, const QString& folder)
{
    const QString target =
        QDir(folder).filePath(QFileInfo(bench.document).completeBaseName() + u".docx"_s);
    const doc::Document document = doc::readDocumentFile(bench.document);
    const QString title = doc::scheduleTitle(document);
    writeDocx(document, target); // the first run's allocations are not counted
    const bool reset = resetPeakMemory();
    const Timing written = medianTiming(runs, [&] { writeDocx(document, target); });
    const long peak = peakMegabytes();
    const Timing alone = medianTiming(runs, [&] { doc::toDocx(document, title); });
    const Timing save =
        medianTiming(runs, [&] { writeDocx(doc::readDocumentFile(bench.document), target); });
    std::printf("%s: .docx %lld KB, working document %lld KB\n", bench.name,
                QFileInfo(target).size() / 1024, QFileInfo(bench.document).size() / 1024);
    QString note;
    if (targetMs > 0)
        note = u"target < %1 ms%2"_s.arg(targetMs).arg(written.wallMs < targetMs ? u""_s
                                                                                 : u"  OVER"_s);
    printTiming("model to the file on disk", runs, written, note);
    printTiming("of which the package alone (toDocx)", runs, alone, {});
    printTiming("save (working document read, written)", runs, save, {});
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
    const QString folder = outFolder(application.arguments(), temporary.path());
    const QList<SavedSchedule> saved = savedSchedules(folder);
    // Runs for each schedule; the target is the longest list's.
    const int runs[] = {30, 10, 5, 3};
    std::printf("%-42s %4s %10s %10s\n", "medians", "runs", "wall ms", "cpu ms");
    for (qsizetype i = 0; i < saved.size(); ++i)
        benchOurs(saved[i], runs[i], i + 1 == saved.size() ? 2000 : 0, folder);
    return 0;
}
