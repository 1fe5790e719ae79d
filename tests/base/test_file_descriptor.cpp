// SPDX-License-Identifier: MIT
// Open files: descriptors that close themselves, own files, and the modes of what the program
// makes for the user's data (theirs alone; what exists keeps its mode).
#include "base/file_lock.h"
#include "base/file_system.h"
#include "base/settings_store.h"
#include "tests/support/failure_status.h"
#include "tests/support/isolated_settings.h"
#include "tests/support/test_files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>

using namespace quillory;
using namespace Qt::StringLiterals;

namespace {

// What is made at a name: a file or a folder by hand, or by the program.
enum class Made {
    File,
    Nothing,
    Link,
    Pipe,
    Settings,
    SettingsHome,
    OverFile,
    Damaged,
    Lock,
    Rescue
};

int modeOf(const QString& path)
{
    struct stat status {};
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0 ? int(status.st_mode & 0777)
                                                                      : -1;
}

// Makes it at the settings file's name in the configuration folder; the folder and file made.
std::pair<QString, QString> make(Made made, const QString& home, std::optional<FileLock>& lock)
{
    const QString folder = home + u"/Velmora"_s;
    const QString file = folder + u"/Quillory.conf"_s;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home));
    if (made != Made::Settings && made != Made::SettingsHome && made != Made::Lock)
        QDir().mkpath(folder);
    switch (made) {
    case Made::File: test::writeBytes(file, "mine"); break;
    case Made::Link: QFile::link(home, file); break;
    case Made::Pipe: ::mkfifo(QFile::encodeName(file).constData(), 0600); break;
    case Made::Settings: test::require(SaveSetting(u"Text1_0"_s, u"Dana"_s)); break;
    case Made::SettingsHome:
        test::require(SaveSetting(u"Text1_0"_s, u"Dana"_s));
        return {home, file};
    case Made::OverFile:
        test::writeBytes(file, "[Quillory]\nText1_0=Lee\n");
        test::require(SaveSetting(u"Text1_0"_s, u"Dana"_s));
        break;
    case Made::Damaged:
        test::writeBytes(file, "[Quillory\nText1_0=Lee\n");
        test::require(SaveSetting(u"Text1_0"_s, u"Dana"_s));
        return {folder, file + u".damaged"_s};
    case Made::Lock:
        lock.emplace(file + u".running"_s).tryTake();
        return {folder, file + u".running"_s};
    case Made::Rescue:
        test::require(claimFileName(file + u".rescued"_s));
        return {folder, file + u".rescued"_s};
    case Made::Nothing: break;
    }
    return {folder, file};
}

} // namespace

Q_DECLARE_METATYPE(Made)

class TestFileDescriptor : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void descriptorClosesItselfOnce();
    void madeFiles_data();
    void madeFiles();

private:
    QTemporaryDir m_folder;
};

void TestFileDescriptor::descriptorClosesItselfOnce()
{
    const auto isOpen = [](int handle) { return ::fcntl(handle, F_GETFD) != -1; };
    const QString path = m_folder.filePath(u"d"_s);
    int first = -1;
    {
        FileDescriptor a = FileDescriptor::open(path, O_RDWR | O_CREAT, 0600);
        first = a.get();
        FileDescriptor b = std::move(a);
        QVERIFY(!a.isOpen());
        FileDescriptor c = FileDescriptor::open(path, O_RDONLY);
        const int second = c.get();
        c = std::move(b); // the one it held closes
        QVERIFY(!isOpen(second));
        QCOMPARE(c.get(), first);
        QVERIFY(::fcntl(first, F_GETFD) & FD_CLOEXEC);
    }
    QVERIFY(!isOpen(first));
}

// What is made at the name, its folder's and its own modes under a umask of 022, and what opening
// it as an own file fails with.
void TestFileDescriptor::madeFiles_data()
{
    QTest::addColumn<Made>("made");
    QTest::addColumn<int>("folderMode");
    QTest::addColumn<int>("fileMode"); // -1: nothing
    QTest::addColumn<std::optional<Failure::Status>>("failure");
    const std::optional<Failure::Status> own;
    QTest::newRow("own file") << Made::File << 0755 << 0644 << own;
    QTest::newRow("nothing") << Made::Nothing << 0755 << -1 << std::optional(Failure::SystemError);
    QTest::newRow("link") << Made::Link << 0755 << 0777 << std::optional(Failure::NotOwnFile);
    QTest::newRow("pipe") << Made::Pipe << 0755 << 0600 << std::optional(Failure::NotOwnFile);
    QTest::newRow("settings") << Made::Settings << 0700 << 0600 << own;
    QTest::newRow("settings and their home") << Made::SettingsHome << 0700 << 0600 << own;
    QTest::newRow("settings over a file") << Made::OverFile << 0755 << 0644 << own;
    QTest::newRow("kept copy of a damaged file") << Made::Damaged << 0755 << 0600 << own;
    QTest::newRow("running copy's lock") << Made::Lock << 0700 << 0600 << own;
    QTest::newRow("rescue file's name") << Made::Rescue << 0755 << 0600 << own;
}

void TestFileDescriptor::madeFiles()
{
    QFETCH(Made, made);
    QFETCH(int, folderMode);
    QFETCH(int, fileMode);
    QFETCH(std::optional<Failure::Status>, failure);
    test::IsolatedSettings isolated;
    std::optional<FileLock> lock;
    const mode_t mask = ::umask(022);
    const auto [folder, file] = make(made, isolated.folder() + u"/config"_s, lock);
    ::umask(mask);
    QCOMPARE(modeOf(folder), folderMode);
    QCOMPARE(modeOf(file), fileMode);
    QCOMPARE(test::failureOf([&] { OwnFile{file}; }), failure);
}

QTEST_GUILESS_MAIN(TestFileDescriptor)
#include "test_file_descriptor.moc"
