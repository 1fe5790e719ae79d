// SPDX-License-Identifier: MIT
// "Start Creating Template" from the button's release to the preview painted on screen, then
// LibreOffice turning the same working document into a PDF, for scale. Offscreen unless
// QT_QPA_PLATFORM says otherwise; on xcb the click is a real one (xdotool), so the window
// manager and the X server take part. `bench/xvfb_create_template.sh` runs it on its own display.
//
//   create_template_bench [--classes 8,200] [--runs 15] [--libreoffice-runs 1]
#include "app/form1.h"
#include "bench/click_timing.h"
#include "bench/example_classes.h"
#include "document/layout/fonts.h"
#include "preview/form2.h"
#include "tests/support/isolated_settings.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/window_controls.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace quillory;
using namespace Qt::StringLiterals;

namespace {

struct Options {
    QList<int> classCounts{8, 200};
    int runs = 15;
    int libreOfficeRuns = 1;
};

HomePageCall noHomePage()
{
    return {[] { return 1; }, [](const QUrl&) { return true; }};
}

double median(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void printSpread(const char* what, std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    std::printf("    %-34s min %7.1f  median %7.1f  max %7.1f ms  (%zu runs)\n", what,
                times.front(), median(times), times.back(), times.size());
}

bool onX11()
{
    return QGuiApplication::platformName() == u"xcb"_s;
}

bool waitUntilShown(QWidget* window)
{
    if (!QTest::qWaitForWindowExposed(window, 10000))
        return false;
    QTest::qWait(onX11() ? 100 : 0); // the window manager places it
    return true;
}

void goBack(Form1& form)
{
    test::Form2Controls(*form.preview()).PushButton8->click(); // "< Back"
}

// Milliseconds of each run; the last one's preview stays open, and with it the last working
// document.
std::vector<double> timeRuns(Form1& form, int runs, QString& workingDocument)
{
    QPushButton* start = test::Form1Controls(form).PushButton6;
    bench::ClickTiming timing(start, u"Picture1"_s);
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        if (!waitUntilShown(&form))
            return {};
        timing.reset();
        bench::clickOnScreen(start);
        if (!bench::runUntil([&] { return timing.done(); }))
            return {};
        times.push_back(timing.elapsedMs());
        workingDocument = form.preview()->wordFile();
        if (run + 1 < runs)
            goBack(form);
    }
    return times;
}

std::vector<double> libreOfficeRuns(const QString& document, int runs)
{
    const QString soffice = QStandardPaths::findExecutable(u"soffice"_s);
    std::vector<double> times;
    if (soffice.isEmpty() || document.isEmpty() || runs <= 0)
        return times;
    QTemporaryDir profile;
    for (int run = -1; run < runs; ++run) { // the first start makes the profile, untimed
        QTemporaryDir out;
        QElapsedTimer timer;
        timer.start();
        QProcess process;
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start(soffice,
                      {u"--headless"_s, u"-env:UserInstallation=file://"_s + profile.path(),
                       u"--convert-to"_s, u"pdf"_s, u"--outdir"_s, out.path(), document});
        process.waitForFinished(120000);
        // It reports a failed conversion and still exits with 0: only the file tells.
        if (QDir(out.path()).isEmpty())
            return {};
        if (run >= 0)
            times.push_back(timer.nsecsElapsed() / 1e6);
    }
    return times;
}

long peakResidentMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

bool report(Form1& form, int classes, const Options& options)
{
    bench::loadClasses(form, classes);
    std::printf("%d classes, %s:\n", classes, qPrintable(QGuiApplication::platformName()));
    QString document;
    const std::vector<double> ours = timeRuns(form, options.runs, document);
    if (ours.empty()) {
        std::printf("    the preview did not appear (peak resident memory %ld MB)\n",
                    peakResidentMegabytes());
        return false;
    }
    printSpread("release -> preview painted", ours);
    std::printf("    peak resident memory of the process so far: %ld MB\n",
                peakResidentMegabytes());
    const std::vector<double> theirs = libreOfficeRuns(document, options.libreOfficeRuns);
    if (!theirs.empty()) {
        printSpread("LibreOffice headless -> PDF", theirs);
        std::printf("    ratio of the medians: ours is %.1f times faster\n",
                    median(theirs) / median(ours));
    }
    goBack(form);
    std::fflush(stdout);
    return true;
}

Options parseOptions(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.addOption({u"classes"_s, u"class counts, comma-separated"_s, u"list"_s});
    parser.addOption({u"runs"_s, u"timed runs per count"_s, u"n"_s});
    parser.addOption({u"libreoffice-runs"_s, u"timed LibreOffice conversions per count"_s, u"n"_s});
    parser.process(arguments);
    Options options;
    if (parser.isSet(u"classes"_s)) {
        options.classCounts.clear();
        for (const QString& count : parser.value(u"classes"_s).split(u','))
            options.classCounts << count.toInt();
    }
    if (parser.isSet(u"runs"_s))
        options.runs = std::max(1, parser.value(u"runs"_s).toInt());
    if (parser.isSet(u"libreoffice-runs"_s))
        options.libreOfficeRuns = parser.value(u"libreoffice-runs"_s).toInt();
    return options;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const Options options = parseOptions(application.arguments());
    doc::installFontSubstitutions();
    test::IsolatedSettings settings;
    test::ScriptedPrompts prompts;
    QTemporaryDir temp;
    qputenv("TEMP", temp.path().toLocal8Bit());

    Form1 form(noHomePage());
    if (!form.Form_Load())
        return 1;
    form.show();
    for (const int classes : options.classCounts) {
        if (!report(form, classes, options))
            return 1;
    }
    return prompts.errorReports().isEmpty() ? 0 : 1;
}
