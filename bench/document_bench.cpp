// The document component on the schedule: generating it (open the template, both replace passes,
// eight classes typed, SaveAs), its picture, and a 1,000-class schedule end to end, with the
// process's peak memory; then LibreOffice converting the same saved schedule to a picture.
// `document_bench --out DIR` also leaves sample.doc, sample.png and sample@2x.png in DIR.
#include "document/automation/application_starter.h"
#include "document/layout.h"
#include "document/renderer.h"
#include "homework/sample_data.h"
#include "tests/document/schedule_fixture.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include <sys/resource.h>

using namespace quillory;
using namespace quillory::doc::automation;
using namespace Qt::StringLiterals;

namespace {

constexpr int Runs = 30;
const QString SampleDate = u"Sep 6, 2021"_s;

double milliseconds(const std::function<void()>& action)
{
    QElapsedTimer timer;
    timer.start();
    action();
    return double(timer.nsecsElapsed()) / 1e6;
}

double median(const std::function<void()>& action)
{
    std::vector<double> times;
    for (int run = 0; run < Runs; ++run)
        times.push_back(milliseconds(action));
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

long peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

QList<test::ClassRow> sampleRows()
{
    QList<test::ClassRow> rows;
    for (const HomeworkEntry& entry : sampleClasses())
        rows.append({entry.Period, QStringList(entry.Days.begin(), entry.Days.end())});
    return rows;
}

QList<test::ClassRow> manyRows(int count)
{
    const QList<test::ClassRow> sample = sampleRows();
    QList<test::ClassRow> rows;
    for (int i = 0; i < count; ++i)
        rows.append(sample[i % sample.size()]);
    return rows;
}

void report(const char* what, double ms, double budgetMs)
{
    std::printf("%-58s %9.2f ms  (target < %.0f ms)%s\n", what, ms, budgetMs,
                ms < budgetMs ? "" : "  OVER");
}

class Bench {
public:
    explicit Bench(const QString& folder)
        : m_folder(folder)
        , m_application(doc::startApplication())
        , m_template(test::writeTemplateCopy(folder))
    {
    }

    // Open the template, replace both placeholders, type the classes, save.
    void generate(const QList<test::ClassRow>& classes, const QString& path)
    {
        Document document = m_application->Documents().Open(m_template, true);
        test::replacePlaceholders(document, sampleName(), SampleDate);
        test::typeClasses(*m_application, classes);
        document.SaveAs(path);
        document.Close();
    }

    // Open a saved document, lay it out and paint it.
    QImage picture(const QString& path, qreal devicePixelRatio)
    {
        Document document = m_application->Documents().Open(path);
        QImage image =
            doc::renderMainText(doc::layOutDocument(document.content()), devicePixelRatio);
        document.Close();
        return image;
    }

    QString path(const QString& name) const { return QDir(m_folder).filePath(name); }

private:
    QString m_folder;
    std::unique_ptr<Application> m_application;
    QString m_template;
};

// One rendering of the page by LibreOffice (to PDF: its headless build has no PNG export for
// text documents), with a private profile; -1 when LibreOffice cannot do it.
double libreOfficeMs(const QString& document, const QString& profile, const QString& outDir)
{
    QProcess soffice;
    const QStringList arguments{u"--headless"_s,   u"-env:UserInstallation=file://"_s + profile,
                                u"--convert-to"_s, u"pdf"_s,
                                u"--outdir"_s,     outDir,
                                document};
    const QString output =
        QDir(outDir).filePath(QFileInfo(document).completeBaseName() + u".pdf"_s);
    QFile::remove(output);
    QElapsedTimer timer;
    timer.start();
    soffice.start(u"soffice"_s, arguments);
    // It says "no export filter" and still exits with 0: only the file tells.
    if (!soffice.waitForFinished(180000) || soffice.exitCode() != 0 || !QFile::exists(output))
        return -1;
    return double(timer.nsecsElapsed()) / 1e6;
}

void compareWithLibreOffice(Bench& bench, const QString& sample, double oursMs)
{
    QTemporaryDir profile;
    const QString outDir = bench.path(u"libreoffice"_s);
    const double cold = libreOfficeMs(sample, profile.path(), outDir);
    const double warm = libreOfficeMs(sample, profile.path(), outDir);
    if (cold < 0 || warm < 0) {
        std::printf("LibreOffice could not convert the schedule; no comparison.\n");
        return;
    }
    std::printf("%-58s %9.2f ms\n", "LibreOffice: schedule to PDF, new profile", cold);
    std::printf("%-58s %9.2f ms\n", "LibreOffice: schedule to PDF, profile made", warm);
    std::printf("%-58s %9.1f x  (expected >= 30 x)\n", "LibreOffice (made profile) / ours",
                warm / oursMs);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    QTemporaryDir folder;
    Bench bench(folder.path());
    const QList<test::ClassRow> eight = sampleRows();
    const QString sample = bench.path(u"sample.doc"_s);

    report("Open template, replace, type 8 classes, SaveAs",
           median([&] { bench.generate(eight, sample); }), 20);
    const double oursMs = median([&] { bench.picture(sample, 1); });
    report("Open the saved schedule, lay it out, paint it (dpr 1)", oursMs, 50);
    report("Open the saved schedule, lay it out, paint it (dpr 2)",
           median([&] { bench.picture(sample, 2); }), 50);

    const QString big = bench.path(u"thousand.doc"_s);
    QSize bigSize;
    report("1,000 classes: generate, save, open, paint (dpr 1)", milliseconds([&] {
               bench.generate(manyRows(1000), big);
               bigSize = bench.picture(big, 1).size();
           }),
           2000);
    std::printf("%-58s %6ld MB     (target < 300 MB)  picture %dx%d\n", "Peak memory (max RSS)",
                peakMegabytes(), bigSize.width(), bigSize.height());

    compareWithLibreOffice(bench, sample, oursMs);

    const QStringList arguments = application.arguments();
    const qsizetype out = arguments.indexOf(u"--out"_s);
    if (out >= 0 && out + 1 < arguments.size()) {
        const QDir target(arguments[out + 1]);
        QFile::remove(target.filePath(u"sample.doc"_s));
        QFile::copy(sample, target.filePath(u"sample.doc"_s));
        bench.picture(sample, 1).save(target.filePath(u"sample.png"_s));
        bench.picture(sample, 2).save(target.filePath(u"sample@2x.png"_s));
    }
    return 0;
}
