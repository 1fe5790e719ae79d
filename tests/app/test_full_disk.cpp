// SPDX-License-Identifier: MIT
// A full disk, reported in the system's words: settings, working files and the saved result.
// Runs on a small tmpfs filled to the brim when root may mount one; otherwise every write of
// the program's own fails as a full disk would (settings, written by Qt, are then skipped).
#include "base/file_system.h"
#include "base/guarded_procedure.h"
#include "base/settings_store.h"
#include "document/layout/fonts.h"
#include "generation/page_snapshot.h"
#include "generation/schedule_run.h"
#include "preview/printable_schedule.h"
#include "preview/save_results.h"
#include "preview/schedule_printing.h"
#include "tests/support/failure_status.h"
#include "tests/support/isolated_settings.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/test_files.h"

#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>

#include <unistd.h>

using namespace quillory;
using namespace quillory::test;
using namespace Qt::StringLiterals;

namespace {

ScheduleRequest request(const QString& name)
{
    return {u"[YourName]"_s, [name] { return name; }, [] { return u"Sep 6, 2021"_s; },
            [] { return 0; }, [](int) { return HomeworkEntry{}; }};
}

// What is written when the disk is full.
enum class Write { Settings, TemplateCopy, Snapshot, SavedResult, SavedPdf, PrintedPdf };

bool run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

// Fills the disk up to `room` bytes. A write bigger than the room left stops short first, and
// only the next one fails with a reason.
void fill(const QString& folder, qint64 room)
{
    QFile filler(joinPath(folder, u"filler"_s));
    if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return;
    const QByteArray block(4096, 'x');
    while (filler.write(block) == block.size()) {
    }
    filler.resize(qMax<qint64>(0, filler.size() - room));
}

// What Form2's Print does when the print dialog chooses a PDF file.
void printToFile(const WorkingSchedule& schedule, const QString& file)
{
    setPrintDialogRunner([file](QPrinter& printer, int, QWidget*) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
        return true;
    });
    GuardedProcedure procedure(locations::Form2Print);
    SchedulePrint job(schedule.printable());
    if (job.askPrinter(nullptr))
        procedure.step(104, [&] { job.print(); });
    setPrintDialogRunner({});
}

// Big enough not to fit into the room left.
const QString LongName = QString(64 * 1024, u'D');

} // namespace

Q_DECLARE_METATYPE(Write)

class TestFullDisk : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void cleanup();
    void reportsTheSystemsReason_data();
    void reportsTheSystemsReason();

private:
    std::shared_ptr<const OwnFile> makeWorkingDocument(bool big);

    QTemporaryDir m_disk;
    QTemporaryDir m_roomy;
    bool m_mounted = false;
    IsolatedSettings m_settings;
};

void TestFullDisk::initTestCase()
{
    doc::installFontSubstitutions();
    m_mounted =
        ::geteuid() == 0 && run(u"mount"_s, {u"-t"_s, u"tmpfs"_s, u"-o"_s, u"size=256k,mode=0700"_s,
                                             u"tmpfs"_s, m_disk.path()});
    if (!m_mounted) {
        qInfo("No tmpfs could be mounted: the rows are skipped.");
        return;
    }
    // The settings file exists before the disk fills up; a failed write must leave it whole.
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_disk.path()));
    test::require(SaveSetting(u"Text1_0"_s, u"Dana"_s));
}

void TestFullDisk::cleanupTestCase()
{
    if (m_mounted)
        QVERIFY(run(u"umount"_s, {m_disk.path()}));
}

void TestFullDisk::cleanup()
{
    qunsetenv("TEMP");
}

std::shared_ptr<const OwnFile> TestFullDisk::makeWorkingDocument(bool big)
{
    qputenv("TEMP", m_roomy.path().toLocal8Bit());
    GuardedProcedure procedure(locations::Form1CreateTemplate);
    return fillScheduleTemplate(procedure, request(big ? LongName : u"Dana"_s)).document;
}

void TestFullDisk::reportsTheSystemsReason_data()
{
    QTest::addColumn<Write>("write");
    QTest::addColumn<qint64>("room");    // bytes left on the disk
    QTest::addColumn<QString>("report"); // the start of the first report

    const QString settings =
        u"The settings file %1/Velmora/Quillory.conf could not be written: No space left on "
        u"device."_s;
    const QString snapshot = u"Cannot write %1/temp.bmp: No space left on device\r\n"
                             u"in Brackwater2021/08/31.Form1.SaveDocAsJPG at line 122"_s;
    const QString saved = u"Cannot write %1/week.doc: No space left on device\r\n"
                          u"in Brackwater2021/08/31.Form2.PushButton6_Click at line 130"_s;
    QTest::newRow("settings, full") << Write::Settings << 0LL << settings;
    QTest::newRow("settings, nearly full") << Write::Settings << 4096LL << settings;
    QTest::newRow("template copy, full")
        << Write::TemplateCopy << 0LL
        << u"Cannot write %1/template.dot: No space left on device\r\n"
           u"in Brackwater2021/08/31.Form1.PushButton6_Click at line 108"_s;
    QTest::newRow("snapshot, full") << Write::Snapshot << 0LL << snapshot;
    // The sample's picture, a few kilobytes of commands, fits in what a nearly full disk has.
    QTest::newRow("saved result, full") << Write::SavedResult << 0LL << saved;
    QTest::newRow("saved result, nearly full") << Write::SavedResult << 4096LL << saved;
    // The sample's PDF alone takes over 10 KB.
    const QString pdf = u"Cannot write %1/week.pdf: No space left on device\r\n"
                        u"in Brackwater2021/08/31.Form2.mnuSavePdf_Click at line 130"_s;
    QTest::newRow("saved PDF, full") << Write::SavedPdf << 0LL << pdf;
    QTest::newRow("saved PDF, nearly full") << Write::SavedPdf << 4096LL << pdf;
    // Printed to a file that exists: the old file stays as it was.
    const QString printed = u"Cannot write %1/week.pdf: No space left on device\r\n"
                            u"in Brackwater2021/08/31.Form2.mnuPrint_Click at line 104"_s;
    QTest::newRow("printed PDF, full") << Write::PrintedPdf << 0LL << printed;
    QTest::newRow("printed PDF, nearly full") << Write::PrintedPdf << 4096LL << printed;
}

void TestFullDisk::reportsTheSystemsReason()
{
    QFETCH(Write, write);
    QFETCH(qint64, room);
    QFETCH(QString, report);
    if (!m_mounted)
        QSKIP("Only a real full disk (a tmpfs mounted as root) makes these writes fail");
    const std::shared_ptr<const OwnFile> workingDocument =
        makeWorkingDocument(write == Write::SavedResult);
    const WorkingSchedule schedule(workingDocument);
    const QString disk = m_disk.path();
    const QString oldPdf = joinPath(disk, u"week.pdf"_s);
    if (write == Write::PrintedPdf)
        QVERIFY(writeBytes(oldPdf, "precious"));
    fill(disk, room);
    const QStringList before = QDir(disk).entryList(QDir::AllEntries | QDir::Hidden);
    qputenv("TEMP", disk.toLocal8Bit());
    ScriptedPrompts prompts;

    switch (write) {
    case Write::Settings:
        GuardedProcedure(locations::Form1NameChange).step(100, [] {
            SaveSetting(u"Text1_0"_s, LongName).orRaise();
        });
        QVERIFY(readBytes(joinPath(disk, u"Velmora/Quillory.conf"_s)).contains("Text1_0=Dana\n"));
        break;
    case Write::TemplateCopy: {
        GuardedProcedure procedure(locations::Form1CreateTemplate);
        fillScheduleTemplate(procedure, request(u"Dana"_s));
        break;
    }
    case Write::Snapshot: SaveDocAsJPG(workingDocument->openedPath()); break;
    case Write::SavedResult:
        prompts.savePaths = {joinPath(disk, u"week.doc"_s)};
        saveResultsToWordFile(&schedule);
        QVERIFY(prompts.texts(ScriptedPrompts::Kind::Note).isEmpty()); // no "Done."
        break;
    case Write::SavedPdf:
        prompts.savePaths = {joinPath(disk, u"week.pdf"_s)};
        saveResults(&schedule, SavedForm::Pdf, locations::Form2SavePdf);
        QVERIFY(prompts.texts(ScriptedPrompts::Kind::Note).isEmpty());
        break;
    case Write::PrintedPdf: printToFile(schedule, oldPdf); break;
    }
    if (write == Write::PrintedPdf)
        QCOMPARE(readBytes(oldPdf), QByteArray("precious"));

    QVERIFY(!prompts.errorReports().isEmpty());
    QCOMPARE(prompts.errorReports().first().left(report.arg(disk).size()), report.arg(disk));
    // Nothing half-written is left behind.
    QCOMPARE(QDir(disk).entryList(QDir::AllEntries | QDir::Hidden), before);
}

QTEST_MAIN(TestFullDisk)
#include "test_full_disk.moc"
