// SPDX-License-Identifier: MIT
// The program's answers to its command line, from the outside: streams and exit status of the
// real executable, started where no display exists, so that an answer given after the windows
// were set up would crash instead of passing; and the stored week exported with "--export",
// which writes its file and nothing else.

#include "journal/list_journal.h"
#include "tests/support/failure_status.h"
#include "tests/support/test_files.h"

#include <QDir>
#include <QDirIterator>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace quillory;

namespace {

// A week of one class in the settings, as the program stores it.
constexpr char StoredWeek[] =
    "[Quillory]\n"
    "Homework=\"1. Math||MySeparator123||p. 12||MySeparator123||||MySeparator123||||"
    "MySeparator123||||MySeparator123||||MySeparator123||||MySeparator123||||MySeparator234||\"\n"
    "Text1_0=Ada\nDateTimePicker1=2026-02-14T00:00:00\n";

// What the journal of a run that ended without storing holds: the stored week, then a class
// added to it.
void writeNewerJournal(const QString& settingsPath)
{
    const HomeworkEntry math{u"1. Math"_s, {u"p. 12"_s}};
    const journal::WeekFields fields{u"Ada"_s, u"2026-02-14T00:00:00"_s};
    journal::ListJournal journal(settingsPath);
    test::require(journal.begin({{math}, fields}, {{math}, fields}));
    journal::ListOp added;
    added.row = 1;
    added.entry = {u"2. Art"_s, {u"Sketch"_s}};
    test::require(journal.record({{added}, fields, {}, 0}));
    test::require(journal.waitForDisk());
}

// Every file under the folder with its bytes.
QMap<QString, QByteArray> contents(const QString& folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator entries(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                         QDirIterator::Subdirectories);
    while (entries.hasNext()) {
        const QString path = entries.next();
        files.insert(path, QFileInfo(path).isFile() ? test::readBytes(path) : QByteArray());
    }
    return files;
}

} // namespace

class CommandLineTest final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void answers_data();
    void answers();
};

void CommandLineTest::answers_data()
{
    QTest::addColumn<QStringList>("arguments"); // %E: the folder exported to
    QTest::addColumn<QString>("stored");        // what the settings folder holds
    QTest::addColumn<QString>("outputFile");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("output");
    QTest::addColumn<QString>("error");       // %C: the settings file
    QTest::addColumn<QByteArray>("exported"); // bytes the exported file holds; empty: no file

    const QString version = u"quillory " QUILLORY_EXPECTED_VERSION "\n"_s;
    const QString help =
        u"Usage: " QUILLORY_PROGRAM " [options] [CALENDAR_URL]\n"
        "Keeps a student's homework for one week and pours it into a printable schedule.\n\n"
        "Options:\n"
        "  -h, --help        Displays this help.\n"
        "  -v, --version     Displays the version.\n"
        "  --publish         Publishes the stored week to the calendar at CALENDAR_URL\n"
        "                    (CalDAV) and ends; without it, to the account kept by\n"
        "                    \"Publish to Calendar Server\", with the password from the\n"
        "                    keyring.\n"
        "  --user <NAME>     With --publish: the server's user name.\n"
        "  --password-stdin  With --publish: reads the password from standard input.\n"
        "  --export <file>   Writes the stored week to <file> in the form its name ends\n"
        "                    in: .doc (Word), .docx (Word 2007-365), .pdf or .ics\n"
        "                    (calendar), without a window, and ends. Exit status: 0\n"
        "                    written, 1 not written (the reason on standard error), 2 not\n"
        "                    understood.\n\n"
        "Arguments:\n"
        "  CALENDAR_URL      With --publish: the calendar.\n"_s;
    const auto refused = [](const QString& why) -> QString {
        return u"quillory: "_s + why + u" See 'quillory --help'.\n"_s;
    };
    const QString none;
    const QByteArray nothing;
    QTest::newRow("--version") << QStringList{u"--version"_s} << none << QString() << 0 << version
                               << QString() << nothing;
    QTest::newRow("-v") << QStringList{u"-v"_s} << none << QString() << 0 << version << QString()
                        << nothing;
    QTest::newRow("--help") << QStringList{u"--help"_s} << none << QString() << 0 << help
                            << QString() << nothing;
    QTest::newRow("-h") << QStringList{u"-h"_s} << none << QString() << 0 << help << QString()
                        << nothing;
    QTest::newRow("answer into a full disk")
        << QStringList{u"--version"_s} << none << u"/dev/full"_s << 1 << QString() << QString()
        << nothing;
    QTest::newRow("unknown option")
        << QStringList{u"--bogus"_s} << none << QString() << 2 << QString()
        << refused(u"Unknown option 'bogus'."_s) << nothing;
    QTest::newRow("a file") << QStringList{u"week.doc"_s} << none << QString() << 2 << QString()
                            << refused(u"Unexpected argument 'week.doc'."_s) << nothing;
    QTest::newRow("help and more")
        << QStringList{u"--help"_s, u"now"_s} << none << QString() << 2 << QString()
        << refused(u"Unexpected argument 'now'."_s) << nothing;
    QTest::newRow("line breaks stay on one line")
        << QStringList{u"a\nb\rc"_s} << none << QString() << 2 << QString()
        << refused(u"Unexpected argument 'a?b?c'."_s) << nothing;
    QTest::newRow("session without its id")
        << QStringList{u"-session"_s} << none << QString() << 2 << QString()
        << refused(u"Missing value after '-session'."_s) << nothing;
    // Qt's own options, which the application object takes later, are no error.
    QTest::newRow("Qt's options") << QStringList{u"-style"_s, u"Fusion"_s, u"-reverse"_s,
                                                 u"-platformtheme=gtk3"_s, u"--version"_s}
                                  << none << QString() << 0 << version << QString() << nothing;
    QTest::newRow("Qt's option without its value")
        << QStringList{u"--version"_s, u"-style"_s} << none << QString() << 2 << QString()
        << refused(u"Missing value after '-style'."_s) << nothing;

    // The stored week exported: the settings' week, or the journal's when the last run stored
    // nothing; a damaged journal is left as it is and the settings' week exported.
    const QString week = u"week"_s;
    const auto exporting = [](const char* name) {
        return QStringList{u"--export"_s, u"%E/"_s + QLatin1StringView(name)};
    };
    QTest::newRow("export .doc") << exporting("week.doc") << week << QString() << 0 << QString()
                                 << QString() << QByteArray("p. 12");
    QTest::newRow("export .DOCX") << exporting("week.DOCX") << week << QString() << 0 << QString()
                                  << QString() << QByteArray("word/document.xml");
    QTest::newRow("export .pdf") << exporting("week.pdf") << week << QString() << 0 << QString()
                                 << QString() << QByteArray("%PDF-");
    QTest::newRow("export .ics") << exporting("week.ics") << week << QString() << 0 << QString()
                                 << QString() << QByteArray("SUMMARY:1. Math: p. 12");
    QTest::newRow("export the journal's newer week")
        << exporting("week.ics") << u"week, journal"_s << QString() << 0 << QString() << QString()
        << QByteArray("SUMMARY:2. Art: Sketch");
    QTest::newRow("export beside a damaged journal")
        << exporting("week.ics") << u"week, damaged journal"_s << QString() << 0 << QString()
        << QString() << QByteArray("SUMMARY:1. Math: p. 12");
    QTest::newRow("export, nothing stored")
        << exporting("week.pdf") << none << QString() << 1 << QString()
        << u"quillory: No class list is stored in %C yet.\n"_s << nothing;
    QTest::newRow("export into a missing folder")
        << exporting("no/week.pdf") << week << QString() << 1 << QString()
        << u"quillory: Cannot write %E/no/week.pdf: No such file or directory\n"_s << nothing;
    QTest::newRow("export, unknown form")
        << exporting("week.txt") << week << QString() << 2 << QString()
        << refused(u"Cannot export to '%E/week.txt': its name must end in .doc, .docx, .pdf or "
                   u".ics."_s)
        << nothing;
    QTest::newRow("export without a file")
        << QStringList{u"--export"_s} << week << QString() << 2 << QString()
        << refused(u"Missing value after '--export'."_s) << nothing;
}

void CommandLineTest::answers()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, stored);
    QFETCH(QString, outputFile);
    QFETCH(int, status);
    QFETCH(QString, output);
    QFETCH(QString, error);
    QFETCH(QByteArray, exported);

    // No display, and private folders: no lock, no working file and no setting is left there.
    QTemporaryDir home;
    for (const QString& folder : {u"runtime"_s, u"config/Velmora"_s, u"export"_s})
        QVERIFY(QDir(home.path()).mkpath(folder));
    QFile::setPermissions(home.filePath(u"runtime"_s),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QString settings = home.filePath(u"config/Velmora/Quillory.conf"_s);
    if (stored.contains(u"week"_s))
        QVERIFY(test::writeBytes(settings, StoredWeek));
    if (stored.contains(u", journal"_s))
        writeNewerJournal(settings);
    if (stored.contains(u"damaged journal"_s))
        QVERIFY(test::writeBytes(settings + u".journal"_s, "not a journal"));
    const QMap<QString, QByteArray> config = contents(home.filePath(u"config"_s));
    const QString exportFolder = home.filePath(u"export"_s);
    arguments.replaceInStrings(u"%E"_s, exportFolder);
    error.replace(u"%E"_s, exportFolder).replace(u"%C"_s, settings);

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(u"DISPLAY"_s);
    environment.remove(u"WAYLAND_DISPLAY"_s);
    environment.remove(u"TEMP"_s);
    environment.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
    environment.insert(u"XDG_RUNTIME_DIR"_s, home.filePath(u"runtime"_s));
    environment.insert(u"XDG_CONFIG_HOME"_s, home.filePath(u"config"_s));
    QProcess program;
    program.setProcessEnvironment(environment);
    if (!outputFile.isEmpty())
        program.setStandardOutputFile(outputFile);
    program.start(QStringLiteral(QUILLORY_PROGRAM), arguments);
    QVERIFY(program.waitForFinished(60000));

    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(QString::fromUtf8(program.readAllStandardError()), error);
    QCOMPARE(program.exitCode(), status);
    QCOMPARE(QString::fromUtf8(program.readAllStandardOutput()), output);
    const QDir::Filters anything = QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden;
    QVERIFY(QDir(home.filePath(u"runtime"_s)).entryList(anything).isEmpty());
    QCOMPARE(contents(home.filePath(u"config"_s)), config);
    const QStringList written = QDir(exportFolder).entryList(anything);
    QCOMPARE(written.size(), exported.isEmpty() ? 0 : 1);
    if (!exported.isEmpty())
        QVERIFY(test::readBytes(QDir(exportFolder).filePath(written.first())).contains(exported));
}

QTEST_GUILESS_MAIN(CommandLineTest)
#include "test_command_line.moc"
