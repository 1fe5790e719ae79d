// SPDX-License-Identifier: MIT
// Saving the schedule as a PDF, as the preview does it: the whole path (read the working
// document, lay it out, write the PDF, replace the file on disk), pdfFromDocument alone and the
// finishing of Qt's PDF alone, for the sample, 200, 1,000 and 32,766 classes of short day texts,
// with peak memory; then LibreOffice converting the same working documents to PDF, in the same
// run.
// `pdf_bench --out DIR` leaves the working documents and both PDFs of each in DIR.
#include "base/file_system.h"
#include "bench/bench_schedules.h"
#include "bench/bench_support.h"
#include "document/document_file.h"
#include "document/paint/paged_output.h"
#include "document/paint/renderer.h"
#include "document/pdf/pdf_finishing.h"
#include "document/pdf/pdf_output.h"
#include "tests/document/schedule_fixture.h"
#include "tests/support/failure_status.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstdio>

using namespace quillory;
using namespace quillory::bench;
using namespace Qt::StringLiterals;

namespace {

// One schedule to save: its working document, how often to time ours and LibreOffice, and the
// wall-time target of our whole save path (0 for none).
struct Case {
    const char* name;
    QString document;
    int runs;
    int libreOfficeRuns;
    double targetMs;
};

// What the preview's "Save as PDF" does with the working document.
void savePdf(const QString& wordFile, const QString& target)
{
    const doc::Document document = doc::readDocumentFile(wordFile);
    test::require(replaceFileAtomically(
        target, doc::pdfFromDocument(document, doc::scheduleTitle(document))));
}

// Ours: the save path and the PDF alone; returns the save path's medians.
Timing benchOurs(const Case& bench, const QString& folder)
{
    const QString target =
        QDir(folder).filePath(QFileInfo(bench.document).completeBaseName() + u".pdf"_s);
    savePdf(bench.document, target); // fonts and the writer's first start, as the preview has
    const Timing save = medianTiming(bench.runs, [&] { savePdf(bench.document, target); });
    const doc::Document document = doc::readDocumentFile(bench.document);
    const QString title = doc::scheduleTitle(document);
    const Timing alone = medianTiming(bench.runs, [&] { doc::pdfFromDocument(document, title); });

    const doc::VectorPicture picture = doc::recordDocument(document);
    const doc::PaintedPdf painted =
        doc::paintedPdf(picture, document.page, title, doc::allPages(picture));
    const Timing finishing =
        medianTiming(bench.runs, [&] { doc::finishedPdf(painted, "Quillory"); });

    const std::size_t pages = picture.pages().size();
    std::printf("%s: %zu page(s), PDF %lld KB, working document %lld KB\n", bench.name, pages,
                QFileInfo(target).size() / 1024, QFileInfo(bench.document).size() / 1024);
    QString note;
    if (bench.targetMs > 0)
        note = u"target < %1 ms%2"_s.arg(bench.targetMs)
                   .arg(save.wallMs < bench.targetMs ? u""_s : u"  OVER"_s);
    printTiming("save as PDF (read, record, write)", bench.runs, save, note);
    printTiming("pdfFromDocument alone", bench.runs, alone, {});
    printTiming("of which finishing Qt's PDF", bench.runs, finishing, {});
    return save;
}

void benchLibreOffice(const Case& bench, const QString& profile, const QString& outDir,
                      const Timing& ours)
{
    std::vector<Timing> runs;
    for (int run = 0; run < bench.libreOfficeRuns; ++run) {
        const std::optional<Timing> timing = libreOfficeToPdf(bench.document, profile, outDir);
        if (!timing) {
            std::printf("  LibreOffice could not convert it.\n");
            return;
        }
        runs.push_back(*timing);
    }
    const Timing theirs = medianOf(runs);
    printTiming(
        "LibreOffice --convert-to pdf", bench.libreOfficeRuns, theirs,
        u"ours %1x faster (wall), %2x (processor)"_s.arg(theirs.wallMs / ours.wallMs, 0, 'f', 1)
            .arg(theirs.cpuMs / ours.cpuMs, 0, 'f', 1));
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    QTemporaryDir temporary;
    QTemporaryDir profile;
    const QString folder = outFolder(application.arguments(), temporary.path());
    const QString outDir = QDir(folder).filePath(u"libreoffice"_s);
    const QList<SavedSchedule> saved = savedSchedules(folder);
    const QString sample = saved[0].document;
    // Runs of ours, runs of LibreOffice and the target of our save, for each schedule.
    const int runs[][3] = {{30, 5, 30}, {10, 5, 400}, {5, 3, 0}, {1, 0, 0}};
    QList<Case> cases;
    for (qsizetype i = 0; i < saved.size(); ++i)
        cases.append(
            {saved[i].name, saved[i].document, runs[i][0], runs[i][1], double(runs[i][2])});
    std::printf("Peak memory (max RSS) after making the working documents: %ld MB\n",
                peakMegabytes());
    // Its first start makes the profile and takes many seconds: not counted.
    const bool libreOffice = libreOfficeToPdf(sample, profile.path(), outDir).has_value();
    if (!libreOffice)
        std::printf("LibreOffice could not convert the sample; no comparison.\n");

    std::printf("%-42s %4s %10s %10s\n", "medians", "runs", "wall ms", "cpu ms");
    for (const Case& bench : cases) {
        const bool reset = resetPeakMemory();
        const Timing ours = benchOurs(bench, folder);
        std::printf("  %-40s %ld MB\n",
                    reset ? "peak memory (max RSS) in these runs"
                          : "peak memory (max RSS) of the process",
                    peakMegabytes());
        if (libreOffice && bench.libreOfficeRuns > 0)
            benchLibreOffice(bench, profile.path(), outDir, ours);
    }
    return 0;
}
