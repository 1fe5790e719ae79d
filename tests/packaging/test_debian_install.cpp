// SPDX-License-Identifier: MIT
// The Debian package installed by apt, started as a user starts it, then purged without leaving
// anything behind. It changes the system, so it is built only when asked for
// (-DQUILLORY_TEST_PACKAGE_INSTALL=ON), runs only as root with apt at hand, and never while a
// Quillory package is installed already.
#include "tests/packaging/debian_package.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

#include <sys/inotify.h>
#include <unistd.h>

using namespace quillory::test;
using namespace Qt::StringLiterals;

namespace {

const QString PackageName = u"quillory"_s;

bool packageInstalled()
{
    return run(u"dpkg-query"_s, {u"-W"_s, u"-f=${Status}"_s, PackageName})
        .output.startsWith(u"install ok"_s);
}

bool present(const QString& path)
{
    return QFileInfo(path).exists() || QFileInfo(path).isSymLink();
}

// Whether a file is opened while the watch lasts.
class OpenWatch {
public:
    explicit OpenWatch(const QString& path)
        : m_descriptor(inotify_init1(IN_NONBLOCK | IN_CLOEXEC))
    {
        inotify_add_watch(m_descriptor, QFile::encodeName(path).constData(), IN_OPEN);
    }
    ~OpenWatch() { ::close(m_descriptor); }
    bool sawOpen() const
    {
        char events[4096];
        return ::read(m_descriptor, events, sizeof events) > 0;
    }

private:
    int m_descriptor;
};

// A process has set up its handler for SIGTERM (Linux: the caught-signals mask in /proc).
bool catchesTerm(qint64 pid)
{
    QFile status(u"/proc/%1/status"_s.arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return false;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("SigCgt:"))
            return (line.mid(7).trimmed().toULongLong(nullptr, 16) >> (SIGTERM - 1)) & 1;
    }
    return false;
}

} // namespace

class DebianInstallTest final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void installsStartsAndPurges();

private:
    void startAsUser(const QString& program);
};

void DebianInstallTest::initTestCase()
{
    if (::geteuid() != 0)
        QSKIP("installing a package needs root");
    QStringList missing = missingPackageTools();
    if (QStandardPaths::findExecutable(u"apt-get"_s).isEmpty())
        missing << u"apt-get"_s;
    if (!missing.isEmpty())
        QSKIP(qPrintable(missing.join(u", "_s) + u" missing (scripts/install-deps.sh test)"_s));
    if (packageInstalled())
        QSKIP("a quillory package is installed already; the test would replace it");
    qputenv("DEBIAN_FRONTEND", "noninteractive"); // apt and dpkg ask nothing
}

void DebianInstallTest::installsStartsAndPurges()
{
    QTemporaryDir work;
    QString failure;
    const QString package = makePackage(work.path(), &failure);
    QVERIFY2(!package.isEmpty(), qPrintable(failure));
    QStringList newPaths; // what the package adds to the system, all of which purge removes
    for (const QString& path : packagePaths(package, true)) {
        if (!present(path))
            newPaths << path;
    }
    auto purge = qScopeGuard([] { run(u"apt-get"_s, {u"purge"_s, u"-y"_s, PackageName}); });
    const Run installed = run(u"apt-get"_s, {u"install"_s, u"-y"_s, package});
    QVERIFY2(installed.status == 0, qPrintable(installed.output + installed.error));

    QCOMPARE(QFileInfo(u"/usr/bin/quillory"_s).symLinkTarget(),
             u"/usr/libexec/quillory/quillory"_s);
    QCOMPARE(run(u"/usr/bin/quillory"_s, {u"--version"_s}).output,
             u"quillory " QUILLORY_EXPECTED_VERSION "\n"_s);
    startAsUser(u"/usr/bin/quillory"_s);
    if (QTest::currentTestFailed())
        return;

    purge.dismiss();
    const Run purged = run(u"apt-get"_s, {u"purge"_s, u"-y"_s, PackageName});
    QVERIFY2(purged.status == 0, qPrintable(purged.output + purged.error));
    QVERIFY(!packageInstalled());
    for (const QString& path : std::as_const(newPaths))
        QVERIFY2(!present(path), qPrintable(path + u" is left behind"_s));
}

// Starts the installed program offscreen in a home of its own, ends it the way the system does
// (SIGTERM) once it runs, and checks that it closed its main window as a user's close would.
void DebianInstallTest::startAsUser(const QString& program)
{
    QTemporaryDir home;
    const QStringList folders{u"config"_s, u"data"_s, u"cache"_s, u"runtime"_s, u"temp"_s};
    for (const QString& folder : folders) {
        QVERIFY(QDir(home.path()).mkdir(folder));
        QFile::setPermissions(home.filePath(folder),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    QProcessEnvironment environment;
    environment.insert(u"PATH"_s, qEnvironmentVariable("PATH"));
    environment.insert(u"HOME"_s, home.path());
    environment.insert(u"XDG_CONFIG_HOME"_s, home.filePath(u"config"_s));
    environment.insert(u"XDG_DATA_HOME"_s, home.filePath(u"data"_s));
    environment.insert(u"XDG_CACHE_HOME"_s, home.filePath(u"cache"_s));
    environment.insert(u"XDG_RUNTIME_DIR"_s, home.filePath(u"runtime"_s));
    environment.insert(u"TEMP"_s, home.filePath(u"temp"_s));
    environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);

    // The hand pointer is found beside the real executable, through the link in bin.
    const OpenWatch handPointer(u"/usr/libexec/quillory/HAND-M.CUR"_s);
    QProcess quillory;
    quillory.setProcessEnvironment(environment);
    quillory.start(program, {});
    QVERIFY(quillory.waitForStarted());
    const qint64 pid = quillory.processId();
    QTRY_VERIFY_WITH_TIMEOUT(catchesTerm(pid), 30000);
    ::kill(pid_t(pid), SIGTERM);
    QVERIFY(quillory.waitForFinished(30000));
    QCOMPARE(quillory.exitStatus(), QProcess::NormalExit);
    QCOMPARE(quillory.exitCode(), 0);
    QVERIFY(handPointer.sawOpen());
    // Only the main window's close stores the class list.
    QFile settings(home.filePath(u"config/Velmora/Quillory.conf"_s));
    QVERIFY(settings.open(QIODevice::ReadOnly));
    const QByteArray stored = settings.readAll();
    QVERIFY2(stored.contains("\nHomework="), stored.constData());
}

QTEST_GUILESS_MAIN(DebianInstallTest)
#include "test_debian_install.moc"
