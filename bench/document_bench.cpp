// SPDX-License-Identifier: MIT
// The document component on the schedule: generating it (open the template, both replace passes,
// eight classes typed, SaveAs); laying out and painting the sample and a schedule of 50 classes
// with 2,000 characters a day; a 1,000-class schedule end to end, with the process's peak memory;
// then LibreOffice converting the same saved schedule to a picture.
// `document_bench --out DIR` also leaves sample.doc, sample.png and sample@2x.png in DIR.
#include "bench/bench_support.h"
#include "document/automation/application_starter.h"
#include "document/layout/layout.h"
#include "document/paint/renderer.h"
#include "homework/sample_data.h"
#include "tests/document/schedule_fixture.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>

using namespace quillory;
using namespace quillory::bench;
using namespace quillory::doc::automation;
using namespace Qt::StringLiterals;

namespace {

constexpr int Runs = 30;
const QString SampleDate = u"Sep 6, 2021"_s;

double median(const std::function<void()>& action)
{
    return medianTiming(Runs, action).wallMs;
}

QList<test::ClassRow> sampleRows()
{
    QList<test::ClassRow> rows;
    for (const HomeworkEntry& entry : sampleClasses())
        rows.append({entry.Period, QStringList(entry.Days.begin(), entry.Days.end())});
    return rows;
}

// Homework prose of exactly `length` characters, different for every seed.
QString prose(int length, int seed)
{
    static const QStringList words{u"read"_s,     u"chapter"_s,  u"answer"_s, u"questions"_s,
                                   u"on"_s,       u"page"_s,     u"write"_s,  u"an"_s,
                                   u"essay"_s,    u"about"_s,    u"the"_s,    u"experiment,"_s,
                                   u"practise"_s, u"scales"_s,   u"and"_s,    u"revise"_s,
                                   u"for"_s,      u"Friday's"_s, u"quiz."_s,  u"Bring"_s};
    QString text;
    for (int i = seed; text.size() < length; i = (i * 7 + 3) % 1009)
        text += words[i % words.size()] + u' ';
    text.truncate(length);
    return text;
}

QList<test::ClassRow> longRows(int count, int dayLength)
{
    QList<test::ClassRow> rows;
    for (int i = 0; i < count; ++i) {
        test::ClassRow row{u"%1. Class"_s.arg(i + 1), {}};
        for (int day = 0; day < 7; ++day)
            row.days.append(prose(dayLength, i * 7 + day));
        rows.append(row);
    }
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

    // Open a saved document, lay it out and paint it, at a ratio lowered for long ones as the
    // clipboard's picture is.
    QImage picture(const QString& path, qreal devicePixelRatio)
    {
        Document document = m_application->Documents().Open(path);
        const doc::VectorPicture recorded = doc::recordDocument(document.content());
        QImage image = recorded.toImage(doc::bitmapRatio(recorded.extent(), devicePixelRatio));
        document.Close();
        return image;
    }

    // A saved document's model, read through the component.
    doc::Document content(const QString& path)
    {
        Document document = m_application->Documents().Open(path);
        doc::Document content = document.content();
        document.Close();
        return content;
    }

    QString path(const QString& name) const { return QDir(m_folder).filePath(name); }

private:
    QString m_folder;
    std::unique_ptr<Application> m_application;
    QString m_template;
};

void compareWithLibreOffice(Bench& bench, const QString& sample, double oursMs)
{
    QTemporaryDir profile;
    const QString outDir = bench.path(u"libreoffice"_s);
    // To PDF: its headless build has no PNG export for text documents.
    const std::optional<Timing> first = libreOfficeToPdf(sample, profile.path(), outDir);
    const std::optional<Timing> second = libreOfficeToPdf(sample, profile.path(), outDir);
    if (!first || !second) {
        std::printf("LibreOffice could not convert the schedule; no comparison.\n");
        return;
    }
    const double cold = first->wallMs;
    const double warm = second->wallMs;
    std::printf("%-58s %9.2f ms\n", "LibreOffice: schedule to PDF, new profile", cold);
    std::printf("%-58s %9.2f ms\n", "LibreOffice: schedule to PDF, profile made", warm);
    std::printf("%-58s %9.1f x  (expected >= 30 x)\n", "LibreOffice (made profile) / ours",
                warm / oursMs);
}

} // namespace

// Layout and picture alone, as CopyAsPicture makes them, for the sample and for 50 classes with
// 2,000 characters a day (some 170 pages); peak memory is read right after the long one.
void benchLayoutAndPicture(Bench& bench, const QString& sample)
{
    const doc::Document sampleContent = bench.content(sample);
    QSize sampleSize;
    report("Sample: lay out and paint (dpr 1)", median([&] {
               sampleSize = doc::renderMainText(doc::layOutDocument(sampleContent), 1).size();
           }),
           5);
    std::printf("%-58s %dx%d pixels\n", "Sample picture", sampleSize.width(), sampleSize.height());

    const QString longPath = bench.path(u"long.doc"_s);
    bench.generate(longRows(50, 2000), longPath);
    const doc::Document longContent = bench.content(longPath);
    QSize longSize;
    std::size_t pages = 0;
    const Timing timing = medianTiming(5, [&] {
        const doc::VectorPicture recorded = doc::recordDocument(longContent);
        pages = recorded.pages().size();
        longSize = recorded.toImage(doc::bitmapRatio(recorded.extent(), 1)).size();
    });
    report("50 classes x 7 days x 2,000 characters: lay out and paint", timing.wallMs, 300);
    report("  the same, processor time", timing.cpuMs, 300);
    std::printf("%-58s %6ld MB     (target < 400 MB)\n", "Peak memory (max RSS) so far",
                peakMegabytes());
    std::printf("%-58s %dx%d pixels, %zu pages\n", "Long picture (lowered ratio)", longSize.width(),
                longSize.height(), pages);
}

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
    benchLayoutAndPicture(bench, sample);
    const double oursMs = median([&] { bench.picture(sample, 1); });
    report("Open the saved schedule, lay it out, paint it (dpr 1)", oursMs, 50);
    report("Open the saved schedule, lay it out, paint it (dpr 2)",
           median([&] { bench.picture(sample, 2); }), 50);

    const QString big = bench.path(u"thousand.doc"_s);
    QSize bigSize;
    report("1,000 classes: generate, save, open, paint (dpr 1)",
           timeOnce([&] {
               bench.generate(manyRows(1000), big);
               bigSize = bench.picture(big, 1).size();
           }).wallMs,
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
        const QString pages = bench.path(u"pages.doc"_s);
        bench.generate(longRows(6, 1200), pages);
        bench.picture(pages, 1).save(target.filePath(u"pages.png"_s));
    }
    return 0;
}
