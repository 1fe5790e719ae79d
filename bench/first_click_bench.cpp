// SPDX-License-Identifier: MIT
// One cold "Start Creating Template" in a fresh process, as a user makes it: the main window
// shown with the list loaded and left idle for a moment, then a click on the real button (through
// the X server on xcb), timed from its release to the preview's picture painted on screen, with
// the process's peak memory. bench/xvfb_first_click.sh runs it on its own display against
// bare_pair and LibreOffice.
//
//   first_click_bench --classes N [--second] [--pdf] [--libreoffice]
//   --second: "< Back", then the resident memory before and after a second click and its Back
//   --pdf: "Save as PDF" from the preview, timed
//   --libreoffice: LibreOffice converting the same working document to PDF, timed
#include "app/form1.h"
#include "bench/bench_support.h"
#include "bench/click_timing.h"
#include "bench/example_classes.h"
#include "document/layout/fonts.h"
#include "preview/form2.h"
#include "tests/support/isolated_settings.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/window_controls.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

using namespace quillory;
using namespace quillory::bench;
using namespace Qt::StringLiterals;

namespace {

// What the program does once its window shows, where this build has it.
template <typename Window> void prepareWhileIdle(Window& form)
{
    if constexpr (requires { form.prepareWhileIdle(); })
        form.prepareWhileIdle();
}

double residentMegabytes()
{
    QFile status(u"/proc/self/statm"_s);
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = status.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toDouble() * 4096 / (1024 * 1024) : 0;
}

// One click and the preview painted; the milliseconds, or a negative number.
double timedClick(Form1& form)
{
    QPushButton* start = test::Form1Controls(form).PushButton6;
    ClickTiming timing(start, u"Picture1"_s);
    clickOnScreen(start);
    if (!runUntil([&] { return timing.done(); }))
        return -1;
    return timing.elapsedMs();
}

void goBack(Form1& form)
{
    test::Form2Controls(*form.preview()).PushButton8->click();
    QTest::qWait(300);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    const qsizetype at = arguments.indexOf(u"--classes"_s);
    const int classes = at >= 0 && at + 1 < arguments.size() ? arguments[at + 1].toInt() : 8;
    doc::installFontSubstitutions();
    test::IsolatedSettings settings;
    test::ScriptedPrompts prompts;
    QTemporaryDir temp;
    qputenv("TEMP", temp.path().toLocal8Bit());

    Form1 form(HomePageCall{[] { return 1; }, [](const QUrl&) { return true; }});
    if (!form.Form_Load())
        return 1;
    loadClasses(form, classes);
    form.show();
    if (!QTest::qWaitForWindowExposed(&form, 10000))
        return 1;
    prepareWhileIdle(form);
    QTest::qWait(500); // the user looks at the window; the window manager places it
    std::printf("before_click_mb %.0f ", residentMegabytes());
    const double ms = timedClick(form);
    if (ms < 0)
        return 1;
    std::printf("ms %.1f peak_mb %ld shown_mb %.0f", ms, peakMegabytes(), residentMegabytes());
    const QString document = form.preview()->wordFile();
    if (arguments.contains(u"--libreoffice"_s)) {
        QTemporaryDir profile;
        libreOfficeToPdf(document, profile.path(), temp.path()); // makes the profile
        if (const std::optional<Timing> theirs =
                libreOfficeToPdf(document, profile.path(), temp.path()))
            std::printf(" libreoffice_ms %.1f", theirs->wallMs);
    }
    if (arguments.contains(u"--pdf"_s)) {
        prompts.savePaths << temp.filePath(u"schedule.pdf"_s);
        QAction* savePdf = test::control<QAction>(*form.preview(), u"mnuSavePdf"_s);
        const Timing pdf = timeOnce([&] { savePdf->trigger(); });
        std::printf(" pdf_ms %.1f", pdf.wallMs);
    }
    if (arguments.contains(u"--second"_s)) {
        goBack(form);
        const double before = residentMegabytes();
        if (timedClick(form) < 0)
            return 1;
        goBack(form);
        std::printf(" before_second_mb %.0f after_second_back_mb %.0f", before,
                    residentMegabytes());
    }
    std::printf("\n");
    return prompts.errorReports().isEmpty() ? 0 : 1;
}
