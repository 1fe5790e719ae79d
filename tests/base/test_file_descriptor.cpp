// SPDX-License-Identifier: MIT
// Open files and what they are: descriptors that close themselves, identities, own files.
#include "base/own_file.h"
#include "tests/support/failure_status.h"
#include "tests/support/test_files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace quillory;
using namespace Qt::StringLiterals;

namespace {

bool isOpenHandle(int handle)
{
    return ::fcntl(handle, F_GETFD) != -1;
}

// What stands at the name an own file is opened by.
enum class Planted { OwnFile, Nothing, Link, Folder, Pipe, HardLink, OthersFile, PrivateFolder };

void plant(Planted planted, const QString& path)
{
    const QString target = path + u".target"_s;
    switch (planted) {
    case Planted::OwnFile: QVERIFY(test::writeBytes(path, "mine")); break;
    case Planted::Nothing: break;
    case Planted::Link:
        QVERIFY(test::writeBytes(target, "mine"));
        QVERIFY(QFile::link(target, path));
        break;
    case Planted::Folder: QVERIFY(QDir().mkpath(path)); break;
    case Planted::Pipe: QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0); break;
    case Planted::HardLink:
        QVERIFY(test::writeBytes(target, "mine"));
        QCOMPARE(::link(QFile::encodeName(target).constData(), QFile::encodeName(path).constData()),
                 0);
        break;
    case Planted::OthersFile: {
        QVERIFY(test::writeBytes(path, "theirs"));
        const FileIdentity theirs = *identityAt(path);
        setOwnerCheck([theirs](uint, const FileIdentity& file) { return file != theirs; });
        break;
    }
    case Planted::PrivateFolder:
        QVERIFY(QDir().mkdir(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        break;
    }
}

} // namespace

Q_DECLARE_METATYPE(Planted)

class TestFileDescriptor : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { setOwnerCheck({}); }
    void descriptorClosesItselfOnce();
    void identityFollowsTheFileNotTheName();
    void ownFileRefusals_data();
    void ownFileRefusals();
    void privateFolders_data();
    void privateFolders();
    void systemReasonInTheSystemsWords();

private:
    QTemporaryDir m_folder;
};

void TestFileDescriptor::descriptorClosesItselfOnce()
{
    const QString path = m_folder.filePath(u"d"_s);
    int first = -1;
    {
        FileDescriptor a = FileDescriptor::open(path, O_RDWR | O_CREAT, 0600);
        first = a.get();
        FileDescriptor b = std::move(a);
        QVERIFY(!a.isOpen());
        QCOMPARE(b.get(), first);
        FileDescriptor c = FileDescriptor::open(path, O_RDONLY);
        const int second = c.get();
        c = std::move(b); // the one it held closes
        QVERIFY(!isOpenHandle(second));
        QVERIFY(isOpenHandle(first));
        QVERIFY(::fcntl(first, F_GETFD) & FD_CLOEXEC);
    }
    QVERIFY(!isOpenHandle(first));
}

void TestFileDescriptor::identityFollowsTheFileNotTheName()
{
    const QString path = m_folder.filePath(u"i"_s);
    QVERIFY(test::writeBytes(path, "first"));
    const OwnFile first(path);
    QCOMPARE(identityAt(path), first.identity());
    QVERIFY(test::writeBytes(path + u".new"_s, "second"));
    QCOMPARE(::rename(QFile::encodeName(path + u".new"_s).constData(),
                      QFile::encodeName(path).constData()),
             0);
    QVERIFY(identityAt(path) != first.identity());
    QCOMPARE(first.readAll(), "first"_ba);
    deleteIfSameFile(path, first.identity());
    QCOMPARE(test::readBytes(path), "second"_ba);
}

void TestFileDescriptor::ownFileRefusals_data()
{
    QTest::addColumn<Planted>("planted");
    QTest::addColumn<std::optional<Failure::Status>>("failure");
    QTest::newRow("own file") << Planted::OwnFile << std::optional<Failure::Status>();
    QTest::newRow("nothing") << Planted::Nothing << std::optional(Failure::SystemError);
    QTest::newRow("link") << Planted::Link << std::optional(Failure::NotOwnFile);
    QTest::newRow("folder") << Planted::Folder << std::optional(Failure::NotOwnFile);
    QTest::newRow("pipe") << Planted::Pipe << std::optional(Failure::NotOwnFile);
    QTest::newRow("hard link") << Planted::HardLink << std::optional(Failure::NotOwnFile);
    QTest::newRow("another user's") << Planted::OthersFile << std::optional(Failure::NotOwnFile);
}

void TestFileDescriptor::ownFileRefusals()
{
    QFETCH(Planted, planted);
    QFETCH(std::optional<Failure::Status>, failure);
    const QString path = m_folder.filePath(QString::fromLatin1(QTest::currentDataTag()));
    plant(planted, path);
    QCOMPARE(test::failureOf([&] { OwnFile{path}; }), failure);
}

void TestFileDescriptor::privateFolders_data()
{
    QTest::addColumn<Planted>("planted");
    QTest::addColumn<bool>("isPrivate");
    QTest::newRow("0700") << Planted::PrivateFolder << true;
    QTest::newRow("0755") << Planted::Folder << false;
    QTest::newRow("a file") << Planted::OwnFile << false;
    QTest::newRow("nothing") << Planted::Nothing << false;
}

void TestFileDescriptor::privateFolders()
{
    QFETCH(Planted, planted);
    QFETCH(bool, isPrivate);
    const QString path = m_folder.filePath(u"p-"_s + QString::fromLatin1(QTest::currentDataTag()));
    const mode_t mask = ::umask(022);
    plant(planted, path);
    ::umask(mask);
    QCOMPARE(isPrivateFolder(path), isPrivate);
    // Through a link, or owned by another user, a private folder is not.
    const QString link = path + u".link"_s;
    QVERIFY(QFile::link(path, link));
    QVERIFY(!isPrivateFolder(link));
    setOwnerCheck([](uint, const FileIdentity&) { return false; });
    QVERIFY(!isPrivateFolder(path));
}

void TestFileDescriptor::systemReasonInTheSystemsWords()
{
    QCOMPARE(systemReason(ENOSPC), u"No space left on device"_s);
}

QTEST_GUILESS_MAIN(TestFileDescriptor)
#include "test_file_descriptor.moc"
