// SPDX-License-Identifier: MIT
// What the program makes for the user's data is theirs alone; what exists keeps its mode.
#include "base/file_lock.h"
#include "base/file_system.h"
#include "base/settings_store.h"
#include "tests/support/isolated_settings.h"
#include "tests/support/test_files.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <optional>

#include <sys/stat.h>

using namespace quillory;
using namespace Qt::StringLiterals;

namespace {

// What the program is asked to make.
enum class Made { Settings, SettingsAndHome, OverExisting, DamagedCopy, RunningLock, RescueName };

int modeOf(const QString& path)
{
    struct stat status {};
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0 ? int(status.st_mode & 0777)
                                                                      : -1;
}

// Makes it under the configuration folder; the folder and the file it made. A lock is held.
std::pair<QString, QString> make(Made made, const QString& home, std::optional<FileLock>& lock)
{
    const QString folder = home + u"/Velmora"_s;
    const QString file = folder + u"/Quillory.conf"_s;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home));
    switch (made) {
    case Made::SettingsAndHome: return {home, file};
    case Made::OverExisting:
        QDir().mkpath(folder);
        test::writeBytes(file, "[Quillory]\nText1_0=Dana\n");
        break;
    case Made::DamagedCopy:
        QDir().mkpath(folder);
        test::writeBytes(file, "[Quillory\nText1_0=Dana\n");
        return {folder, file + u".damaged"_s};
    case Made::RunningLock:
        lock.emplace(file + u".running"_s).tryTake();
        return {folder, file + u".running"_s};
    case Made::RescueName:
        QDir().mkpath(folder);
        claimFileName(file + u".rescued"_s);
        return {folder, file + u".rescued"_s};
    case Made::Settings: break;
    }
    return {folder, file};
}

} // namespace

Q_DECLARE_METATYPE(Made)

class TestPrivateFiles : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void modes_data();
    void modes();
};

void TestPrivateFiles::modes_data()
{
    QTest::addColumn<Made>("made");
    QTest::addColumn<int>("folderMode");
    QTest::addColumn<int>("fileMode");
    QTest::newRow("settings") << Made::Settings << 0700 << 0600;
    QTest::newRow("settings and their home") << Made::SettingsAndHome << 0700 << 0600;
    QTest::newRow("over an existing file") << Made::OverExisting << 0755 << 0644;
    QTest::newRow("kept copy of a damaged file") << Made::DamagedCopy << 0755 << 0600;
    QTest::newRow("running copy's lock") << Made::RunningLock << 0700 << 0600;
    QTest::newRow("rescue file's name") << Made::RescueName << 0755 << 0600;
}

void TestPrivateFiles::modes()
{
    QFETCH(Made, made);
    QFETCH(int, folderMode);
    QFETCH(int, fileMode);
    test::IsolatedSettings isolated;
    const mode_t mask = ::umask(022);
    std::optional<FileLock> lock;
    const auto [folder, file] = make(made, isolated.folder() + u"/config"_s, lock);
    if (made != Made::RunningLock && made != Made::RescueName)
        SaveSetting(u"Text1_0"_s, u"Dana"_s);
    ::umask(mask);
    QCOMPARE(modeOf(folder), folderMode);
    QCOMPARE(modeOf(file), fileMode);
}

QTEST_GUILESS_MAIN(TestPrivateFiles)
#include "test_private_files.moc"
