// SPDX-License-Identifier: MIT
// What the settings folder may hold besides a settings file as Qt writes it: files that Qt
// reads as other values are kept, and nothing at the lock's name makes a write wait.
#include "base/settings_store.h"
#include "tests/support/failure_status.h"
#include "tests/support/isolated_settings.h"
#include "tests/support/test_files.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTest>

#include <sys/stat.h>

using namespace quillory;
using namespace Qt::StringLiterals;

namespace {

// Writes the file with a modification time of its own, so that QSettings reads it again.
void rewrite(const QString& path, const QByteArray& bytes, int secondsLater)
{
    QVERIFY(test::writeBytes(path, bytes));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(secondsLater),
                             QFileDevice::FileModificationTime));
}

// What stands in the settings folder when the program writes.
enum class InTheWay {
    FolderAtLock,
    PipeAtLock,
    FreshForeignLock,
    OldForeignLock,
    HeldEmptyLock,    ///< a live process holds the system's lock on an empty lock file
    DeadHoldersLock,  ///< the process that held it died holding it, before naming itself
    KilledMakersLock, ///< the process that made it was killed before it took or named it
};

// A shell that opens the lock file as Qt's lock does (the system's lock taken on request),
// then runs `then`.
void startLockMaker(QProcess& shell, const QString& lock, bool takeLock, const QString& then)
{
    const QString script = u"exec 9>>\"$0\"; "_s + (takeLock ? u"flock 9; "_s : QString()) + then;
    shell.start(u"sh"_s, {u"-c"_s, script, lock});
    QVERIFY(shell.waitForStarted());
}

} // namespace

Q_DECLARE_METATYPE(InTheWay)

class TestSettingsSafety : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void filesReadAsOtherValuesAreKept_data();
    void filesReadAsOtherValuesAreKept();
    void nothingMakesAWriteWait_data();
    void nothingMakesAWriteWait();
};

void TestSettingsSafety::filesReadAsOtherValuesAreKept_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("throughLink"); // the settings file is a link to it
    QTest::addColumn<bool>("kept");
    QTest::newRow("as Qt writes it") << "[Quillory]\nText1_0=Dana\n"_ba << false << false;
    QTest::newRow("stray quote") << "[Quillory]\nText1_0=\"Dana\nHomework=1||MySeparator234||\n"_ba
                                 << false << true;
    QTest::newRow("unquoted comma") << "[Quillory]\nHomework=1, 2\n"_ba << false << true;
    QTest::newRow("byte order mark")
        << "\xef\xbb\xbf[Quillory]\nText1_0=Dana\n"_ba << false << true;
    QTest::newRow("lone surrogate") << "[Quillory]\nText1_0=\xed\xa0\x80\n"_ba << false << true;
    QTest::newRow("CR LF") << "[Quillory]\r\nText1_0=Dana\r\n"_ba << false << true;
    QTest::newRow("link to notes") << "shopping:\nmilk, eggs\n"_ba << true << true;
}

void TestSettingsSafety::filesReadAsOtherValuesAreKept()
{
    QFETCH(QByteArray, file);
    QFETCH(bool, throughLink);
    QFETCH(bool, kept);
    test::IsolatedSettings isolated;
    const QString path = isolated.filePath();
    const QString copy = path + u".damaged"_s;
    const QString target = throughLink ? isolated.folder() + u"/notes.txt"_s : path;
    QVERIFY(QDir().mkpath(isolated.folder() + u"/Velmora"_s));
    rewrite(target, file, 10);
    if (throughLink)
        QVERIFY(QFile::link(target, path));
    test::require(SaveSetting(u"DateTimePicker1"_s, u"2024-05-06T00:00:00"_s));
    QCOMPARE(QFile::exists(copy), kept);
    if (kept)
        QCOMPARE(test::readBytes(copy), file);
    // The same content once more is kept once only.
    rewrite(target, file, 20);
    test::require(SaveSetting(u"DateTimePicker1"_s, u"2024-05-07T00:00:00"_s));
    QVERIFY(!QFile::exists(copy + u".2"_s));
}

void TestSettingsSafety::nothingMakesAWriteWait_data()
{
    QTest::addColumn<InTheWay>("inTheWay");
    QTest::addColumn<std::optional<Failure::Status>>("failure"); // none: the write succeeds
    const std::optional<Failure::Status> none;
    QTest::newRow("folder at the lock") << InTheWay::FolderAtLock << none;
    QTest::newRow("pipe at the lock") << InTheWay::PipeAtLock << none;
    QTest::newRow("another host's lock, just taken")
        << InTheWay::FreshForeignLock << std::optional(Failure::Locked);
    QTest::newRow("another host's lock, an hour old") << InTheWay::OldForeignLock << none;
    QTest::newRow("an empty lock a live process holds")
        << InTheWay::HeldEmptyLock << std::optional(Failure::Locked);
    QTest::newRow("an empty lock whose holder died") << InTheWay::DeadHoldersLock << none;
    QTest::newRow("an empty lock whose maker was killed") << InTheWay::KilledMakersLock << none;
}

void TestSettingsSafety::nothingMakesAWriteWait()
{
    QFETCH(InTheWay, inTheWay);
    QFETCH(std::optional<Failure::Status>, failure);
    test::IsolatedSettings isolated;
    test::require(SaveSetting(u"Text1_0"_s, u"before"_s));
    const QString path = isolated.filePath();
    const QString lock = path + u".lock"_s;
    const QByteArray foreignLock = "4242\nquillory\nfar-away\n";
    QProcess maker;
    switch (inTheWay) {
    case InTheWay::FolderAtLock: QVERIFY(QDir().mkpath(lock)); break;
    case InTheWay::PipeAtLock:
        QCOMPARE(::mkfifo(QFile::encodeName(lock).constData(), 0600), 0);
        break;
    case InTheWay::FreshForeignLock: QVERIFY(test::writeBytes(lock, foreignLock)); break;
    case InTheWay::OldForeignLock: rewrite(lock, foreignLock, -3600); break;
    case InTheWay::HeldEmptyLock:
        startLockMaker(maker, lock, true, u"echo held; exec sleep 60"_s);
        QVERIFY(maker.waitForReadyRead());
        break;
    case InTheWay::DeadHoldersLock:
    case InTheWay::KilledMakersLock:
        startLockMaker(maker, lock, inTheWay == InTheWay::DeadHoldersLock, u"kill -9 $$"_s);
        QVERIFY(maker.waitForFinished());
        QCOMPARE(maker.exitStatus(), QProcess::CrashExit);
        break;
    }
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(test::failureOf(SaveSetting(u"Text1_0"_s, u"after"_s)), failure);
    QVERIFY2(clock.elapsed() < 2000, QByteArray::number(clock.elapsed()).constData());
    if (!failure)
        QCOMPARE(GetSetting(u"Text1_0"_s, {}), u"after"_s);
    maker.kill();
    maker.waitForFinished();
}

QTEST_GUILESS_MAIN(TestSettingsSafety)
#include "test_settings_safety.moc"
