// "Start Creating Template" from the click to the preview shown, with the 8 sample classes and
// with 200 classes; then LibreOffice turning the same saved file into a picture, for scale.
#include "app/form1.h"
#include "document/fonts.h"
#include "preview/form2.h"
#include "tests/support/isolated_settings.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/window_controls.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace quillory;
using namespace Qt::StringLiterals;

namespace {

constexpr int Runs = 15;

HomePageCall noHomePage()
{
    return {[] { return 1; }, [](const QUrl&) { return true; }};
}

void loadClasses(Form1& form, int count)
{
    QTest::mouseClick(test::Form1Controls(form).PushButton4, Qt::LeftButton); // the sample data
    for (int i = form.classList().rowCount(); i < count; ++i) {
        HomeworkEntry entry{u"%1. Class"_s.arg(i + 1), {}};
        entry.Days[i % DaysPerWeek] = u"Chapter %1 problems 1-41 odd"_s.arg(i);
        form.classList().append(entry);
    }
}

// Median milliseconds from the click to the preview exposed; keeps the last working document.
double timeRuns(Form1& form, QString& workingDocument)
{
    std::vector<double> times;
    for (int run = 0; run < Runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        QTest::mouseClick(test::Form1Controls(form).PushButton6, Qt::LeftButton);
        if (!form.preview() || !QTest::qWaitForWindowExposed(form.preview()))
            return -1;
        times.push_back(timer.nsecsElapsed() / 1e6);
        workingDocument = form.preview()->wordFile();
        if (run + 1 < Runs)
            QTest::mouseClick(test::Form2Controls(*form.preview()).PushButton8, Qt::LeftButton);
    }
    std::sort(times.begin(), times.end());
    std::printf("    min %.1f ms, median %.1f ms, max %.1f ms over %d runs\n", times.front(),
                times[times.size() / 2], times.back(), Runs);
    return times[times.size() / 2];
}

double libreOfficeMs(const QString& document, const QString& profile)
{
    const QString soffice = QStandardPaths::findExecutable(u"soffice"_s);
    if (soffice.isEmpty() || document.isEmpty())
        return -1;
    // To PDF: LibreOffice's headless build has no PNG export for text documents.
    QTemporaryDir out;
    QElapsedTimer timer;
    timer.start();
    QProcess::execute(soffice, {u"--headless"_s, u"-env:UserInstallation=file://"_s + profile,
                                u"--convert-to"_s, u"pdf"_s, u"--outdir"_s, out.path(), document});
    const double elapsed = timer.nsecsElapsed() / 1e6;
    // It reports a failed conversion and still exits with 0: only the file tells.
    return QDir(out.path()).isEmpty() ? -1 : elapsed;
}

void report(Form1& form, int classes, double budgetMs, const QString& profile)
{
    loadClasses(form, classes);
    std::printf("%d classes (target under %.0f ms):\n", classes, budgetMs);
    QString document;
    const double ours = timeRuns(form, document);
    libreOfficeMs(document, profile); // the first start makes LibreOffice's profile
    const double theirs = libreOfficeMs(document, profile);
    if (theirs > 0)
        std::printf(
            "    LibreOffice headless, the same file to a rendered page (PDF): %.0f ms (%.0f times "
            "slower than the whole run here)\n",
            theirs, theirs / ours);
    QTest::mouseClick(test::Form2Controls(*form.preview()).PushButton8, Qt::LeftButton);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    doc::installFontSubstitutions();
    test::IsolatedSettings settings;
    test::ScriptedPrompts prompts;
    QTemporaryDir temp;
    QTemporaryDir profile;
    qputenv("TEMP", temp.path().toLocal8Bit());

    Form1 form(noHomePage());
    if (!form.Form_Load())
        return 1;
    form.show();
    report(form, 8, 150, profile.path());
    report(form, 200, 1000, profile.path());
    return prompts.errorReports().isEmpty() ? 0 : 1;
}
