// SPDX-License-Identifier: MIT
// One running copy per settings file, whatever the environment and whatever stands at the
// lock's name: real copies of the program, started offscreen, and a later start asking them.
#include "base/settings_format.h"
#include "base/settings_store.h"
#include "tests/support/failure_status.h"
#include "tests/support/isolated_settings.h"
#include "tests/support/test_files.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <memory>
#include <vector>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace quillory;
using namespace quillory::test;
using namespace Qt::StringLiterals;

namespace {

// What the settings folder and the environment hold when the later copy starts.
enum class Condition {
    FirstStart,
    CopyWithRuntime,
    CopyWithoutRuntime,
    RuntimeReadOnly,
    RuntimeFull,
    LockEmpty,
    LockGarbage,
    LockOtherHost,
    LockFolder,
    LockFolderInUse,
    LockDanglingLink,
    LockForeignLink,
    LockPipe,
    CrashedCopy,
    EndingCopy,
    FolderAtWriteLock,
    PipeAtSettings
};

const QString Stored = u"1. Band||MySeparator123||scales||MySeparator123||||MySeparator123||||"
                       u"MySeparator123||||MySeparator123||||MySeparator123||||MySeparator123||"
                       u"||MySeparator234||"_s;

QProcessEnvironment environment(const QString& runtime)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (runtime.isEmpty())
        environment.remove(u"XDG_RUNTIME_DIR"_s);
    else
        environment.insert(u"XDG_RUNTIME_DIR"_s, runtime);
    return environment;
}

// A copy of the program; killed at the end of the test if still running.
struct Copy {
    explicit Copy(const QString& runtime)
    {
        process.setProcessEnvironment(environment(runtime));
        process.start(QString::fromUtf8(QUILLORY_PROGRAM), QStringList());
        process.waitForStarted();
    }
    ~Copy()
    {
        process.kill();
        process.waitForFinished();
    }
    bool running() const { return process.state() == QProcess::Running; }
    void signal(int number) { ::kill(pid_t(process.processId()), number); }

    QProcess process;
};

// What a later start hears: its first line says what it found, the second any problem.
QList<QByteArray> ask(const QString& runtime)
{
    QProcess later;
    later.setProcessEnvironment(environment(runtime));
    later.start(QString::fromUtf8(QUILLORY_INSTANCE_HOLDER), QStringList());
    later.waitForFinished(20000);
    return later.readAllStandardOutput().split('\n');
}

// Whether a live process holds the lock: it can then not be locked for reading.
bool isHeld(const QString& lock)
{
    const int handle =
        ::open(QFile::encodeName(lock).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK);
    if (handle < 0)
        return false;
    const bool held = ::flock(handle, LOCK_SH | LOCK_NB) != 0;
    ::close(handle);
    return held;
}

// Waits until a copy holds the lock and listens: the lock names a socket that is there.
bool waitForListener(const QString& lock, int ms)
{
    const auto listening = [&] {
        return isHeld(lock) && QFileInfo(QString::fromUtf8(readBytes(lock))).exists();
    };
    QDeadlineTimer deadline(ms);
    while (!listening() && !deadline.hasExpired())
        QTest::qWait(10);
    return listening();
}

bool mountTmpfs(const QString& folder, const QString& options)
{
    return ::geteuid() == 0 && QProcess::execute(u"mount"_s, {u"-t"_s, u"tmpfs"_s, u"-o"_s, options,
                                                              u"tmpfs"_s, folder}) == 0;
}

QString storedHomework(const QString& settingsFile)
{
    return readIni(readBytes(settingsFile)).values.value(u"Quillory/Homework"_s).toString();
}

} // namespace

Q_DECLARE_METATYPE(Condition)

class TestSingleInstance : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void startUp_data();
    void startUp();
};

void TestSingleInstance::startUp_data()
{
    QTest::addColumn<Condition>("condition");
    QTest::addColumn<bool>("laterHasRuntime"); // the later copy has XDG_RUNTIME_DIR
    QTest::addColumn<QByteArray>("heard");     // what a start after the later copy hears

    QTest::newRow("first start") << Condition::FirstStart << true << "second"_ba;
    QTest::newRow("running copy has a runtime folder, the later one none")
        << Condition::CopyWithRuntime << false << "second"_ba;
    QTest::newRow("running copy has no runtime folder, the later one has")
        << Condition::CopyWithoutRuntime << true << "second"_ba;
    QTest::newRow("runtime folder read-only") << Condition::RuntimeReadOnly << true << "second"_ba;
    QTest::newRow("runtime folder full") << Condition::RuntimeFull << true << "second"_ba;
    QTest::newRow("lock empty") << Condition::LockEmpty << false << "second"_ba;
    QTest::newRow("lock garbage") << Condition::LockGarbage << false << "second"_ba;
    QTest::newRow("lock from another host") << Condition::LockOtherHost << true << "second"_ba;
    QTest::newRow("lock a folder") << Condition::LockFolder << true << "second"_ba;
    QTest::newRow("lock a folder with a file in it")
        << Condition::LockFolderInUse << true << "unguarded"_ba;
    QTest::newRow("lock a dangling link") << Condition::LockDanglingLink << true << "second"_ba;
    QTest::newRow("lock a link to a file") << Condition::LockForeignLink << true << "second"_ba;
    QTest::newRow("lock a pipe") << Condition::LockPipe << true << "second"_ba;
    QTest::newRow("running copy crashed") << Condition::CrashedCopy << true << "second"_ba;
    QTest::newRow("running copy is ending") << Condition::EndingCopy << true << "second"_ba;
    QTest::newRow("folder at the settings' write lock")
        << Condition::FolderAtWriteLock << true << "second"_ba;
    QTest::newRow("pipe at the settings file") << Condition::PipeAtSettings << true << "second"_ba;
}

void TestSingleInstance::startUp()
{
    QFETCH(Condition, condition);
    QFETCH(bool, laterHasRuntime);
    QFETCH(QByteArray, heard);
    IsolatedSettings settings;
    test::require(SaveSetting(u"Homework"_s, Stored));
    const QString file = settings.filePath();
    const QString lock = file + u".running"_s;
    QTemporaryDir runtimeFolder;
    QTemporaryDir elsewhere;
    const QString runtime = runtimeFolder.path();
    const QString precious = elsewhere.filePath(u"precious"_s);
    QVERIFY(writeBytes(precious, "precious"));
    const QByteArray encodedLock = QFile::encodeName(lock);

    switch (condition) {
    case Condition::RuntimeReadOnly:
    case Condition::RuntimeFull:
        if (!mountTmpfs(runtime, condition == Condition::RuntimeFull
                                     ? u"size=4k,nr_inodes=1,mode=0700"_s
                                     : u"ro,mode=0700"_s))
            QSKIP("Only root can mount a runtime folder that is read-only or full.");
        break;
    case Condition::LockEmpty: QVERIFY(writeBytes(lock, {})); break;
    case Condition::LockGarbage: QVERIFY(writeBytes(lock, "\x01\xff\n-7\n")); break;
    case Condition::LockOtherHost: QVERIFY(writeBytes(lock, "4242\nquillory\nfar-away\n")); break;
    case Condition::LockFolderInUse:
        QVERIFY(QDir().mkpath(lock) && writeBytes(lock + u"/inside"_s, "x"));
        break;
    case Condition::LockFolder: QVERIFY(QDir().mkpath(lock)); break;
    case Condition::LockDanglingLink:
        QVERIFY(QFile::link(elsewhere.filePath(u"gone"_s), lock));
        break;
    case Condition::LockForeignLink: QVERIFY(QFile::link(precious, lock)); break;
    case Condition::LockPipe: QCOMPARE(::mkfifo(encodedLock.constData(), 0600), 0); break;
    case Condition::FolderAtWriteLock:
        QVERIFY(QDir().mkpath(file + u".lock"_s) && writeBytes(file + u".lock/inside"_s, "x"));
        break;
    case Condition::PipeAtSettings:
        QVERIFY(QFile::remove(file));
        QCOMPARE(::mkfifo(QFile::encodeName(file).constData(), 0600), 0);
        break;
    default: break;
    }
    auto unmount = qScopeGuard([&] { QProcess::execute(u"umount"_s, {runtime}); });
    if (condition != Condition::RuntimeReadOnly && condition != Condition::RuntimeFull)
        unmount.dismiss();

    std::vector<std::unique_ptr<Copy>> copies;
    const bool first = condition == Condition::CopyWithRuntime ||
                       condition == Condition::CopyWithoutRuntime ||
                       condition == Condition::CrashedCopy || condition == Condition::EndingCopy;
    if (first) {
        copies.push_back(std::make_unique<Copy>(
            condition == Condition::CopyWithoutRuntime ? QString() : runtime));
        QVERIFY(waitForListener(lock, 20000));
        QCOMPARE(ask(runtime).first(), "second"_ba); // it is up, with its window
    }
    if (condition == Condition::CrashedCopy) {
        copies.back()->signal(SIGKILL);
        QVERIFY(copies.back()->process.waitForFinished());
    }
    if (condition == Condition::EndingCopy)
        copies.back()->signal(SIGTERM);

    QElapsedTimer clock;
    clock.start();
    const QString laterRuntime = laterHasRuntime ? runtime : QString();
    copies.push_back(std::make_unique<Copy>(laterRuntime));
    if (condition == Condition::CopyWithRuntime || condition == Condition::CopyWithoutRuntime) {
        // The later copy brings the running one forward and ends.
        QVERIFY(copies.back()->process.waitForFinished(2000));
        QCOMPARE(copies.back()->process.exitCode(), 0);
    }
    if (condition == Condition::EndingCopy)
        QVERIFY(copies.front()->process.waitForFinished(2000));
    if (heard == "second")
        QVERIFY(waitForListener(lock, int(2000 - clock.elapsed())));
    else // nothing to wait for: it runs without a lock
        QTest::qWait(1500);
    const QList<QByteArray> answer = ask(laterRuntime);
    QCOMPARE(answer.first(), heard);
    if (heard == "unguarded")
        QVERIFY2(answer.at(1).contains(encodedLock), answer.at(1).constData());
    QVERIFY2(clock.elapsed() < 2000, QByteArray::number(clock.elapsed()).constData());
    QCOMPARE(
        std::count_if(copies.begin(), copies.end(), [](auto& copy) { return copy->running(); }), 1);

    for (const std::unique_ptr<Copy>& copy : copies) {
        if (!copy->running())
            continue;
        copy->signal(SIGTERM);
        QVERIFY(copy->process.waitForFinished(20000));
        const QByteArray errors = copy->process.readAllStandardError();
        if (condition == Condition::FolderAtWriteLock) { // the list goes to a rescue file
            QVERIFY2(errors.contains(QFile::encodeName(file + u".rescued"_s)), errors.constData());
            QCOMPARE(storedHomework(file + u".rescued"_s), Stored);
        }
    }
    if (condition != Condition::PipeAtSettings)
        QCOMPARE(storedHomework(file), Stored);
    QCOMPARE(readBytes(precious), "precious"_ba);
}

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "test_single_instance.moc"
