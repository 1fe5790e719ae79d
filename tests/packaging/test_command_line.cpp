// SPDX-License-Identifier: MIT
// The program's answers to its command line, from the outside: streams and exit status of the
// real executable, started where no display exists, so that an answer given after the windows
// were set up would crash instead of passing.

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class CommandLineTest final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void answers_data();
    void answers();
};

void CommandLineTest::answers_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("outputFile");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("output");
    QTest::addColumn<QString>("error");

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
        "  --password-stdin  With --publish: reads the password from standard input.\n\n"
        "Arguments:\n"
        "  CALENDAR_URL      With --publish: the calendar.\n"_s;
    const auto refused = [](const QString& why) -> QString {
        return u"quillory: "_s + why + u" See 'quillory --help'.\n"_s;
    };
    QTest::newRow("--version") << QStringList{u"--version"_s} << QString() << 0 << version
                               << QString();
    QTest::newRow("-v") << QStringList{u"-v"_s} << QString() << 0 << version << QString();
    QTest::newRow("--help") << QStringList{u"--help"_s} << QString() << 0 << help << QString();
    QTest::newRow("-h") << QStringList{u"-h"_s} << QString() << 0 << help << QString();
    QTest::newRow("answer into a full disk")
        << QStringList{u"--version"_s} << u"/dev/full"_s << 1 << QString() << QString();
    QTest::newRow("unknown option") << QStringList{u"--bogus"_s} << QString() << 2 << QString()
                                    << refused(u"Unknown option 'bogus'."_s);
    QTest::newRow("a file") << QStringList{u"week.doc"_s} << QString() << 2 << QString()
                            << refused(u"Unexpected argument 'week.doc'."_s);
    QTest::newRow("help and more") << QStringList{u"--help"_s, u"now"_s} << QString() << 2
                                   << QString() << refused(u"Unexpected argument 'now'."_s);
    QTest::newRow("line breaks stay on one line")
        << QStringList{u"a\nb\rc"_s} << QString() << 2 << QString()
        << refused(u"Unexpected argument 'a?b?c'."_s);
    QTest::newRow("session without its id")
        << QStringList{u"-session"_s} << QString() << 2 << QString()
        << refused(u"Missing value after '-session'."_s);
    // Qt's own options, which the application object takes later, are no error.
    QTest::newRow("Qt's options") << QStringList{u"-style"_s, u"Fusion"_s, u"-reverse"_s,
                                                 u"-platformtheme=gtk3"_s, u"--version"_s}
                                  << QString() << 0 << version << QString();
    QTest::newRow("Qt's option without its value")
        << QStringList{u"--version"_s, u"-style"_s} << QString() << 2 << QString()
        << refused(u"Missing value after '-style'."_s);
}

void CommandLineTest::answers()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, outputFile);
    QFETCH(int, status);
    QFETCH(QString, output);
    QFETCH(QString, error);

    // No display, and private folders that must stay empty: no lock, no settings, no windows.
    QTemporaryDir home;
    QVERIFY(QDir(home.path()).mkdir(u"runtime"_s) && QDir(home.path()).mkdir(u"config"_s));
    QFile::setPermissions(home.filePath(u"runtime"_s),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(u"DISPLAY"_s);
    environment.remove(u"WAYLAND_DISPLAY"_s);
    environment.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
    environment.insert(u"XDG_RUNTIME_DIR"_s, home.filePath(u"runtime"_s));
    environment.insert(u"XDG_CONFIG_HOME"_s, home.filePath(u"config"_s));
    QProcess program;
    program.setProcessEnvironment(environment);
    if (!outputFile.isEmpty())
        program.setStandardOutputFile(outputFile);
    program.start(QStringLiteral(QUILLORY_PROGRAM), arguments);
    QVERIFY(program.waitForFinished(10000));

    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), status);
    QCOMPARE(QString::fromUtf8(program.readAllStandardOutput()), output);
    QCOMPARE(QString::fromUtf8(program.readAllStandardError()), error);
    const QDir::Filters anything = QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden;
    QVERIFY(QDir(home.filePath(u"runtime"_s)).entryList(anything).isEmpty());
    QVERIFY(QDir(home.filePath(u"config"_s)).entryList(anything).isEmpty());
}

QTEST_GUILESS_MAIN(CommandLineTest)
#include "test_command_line.moc"
