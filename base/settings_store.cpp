// SPDX-License-Identifier: MIT

#include "base/settings_store.h"

#include "base/failure.h"
#include "base/file_descriptor.h"
#include "base/file_system.h"
#include "base/private_files.h"
#include "base/settings_format.h"
#include "base/settings_write_lock.h"

#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace quillory {

using namespace Qt::StringLiterals;

namespace {

constexpr auto Organisation = "Velmora"_L1;
constexpr auto Application = "Quillory"_L1;
constexpr auto Section = "Quillory"_L1;
// How long a write waits for a lock that someone else holds before it counts as failed.
constexpr int WriteLockWaitMs = 500;

// Whether something other than a plain file (or a link to one) stands at the name. QSettings
// opens such a thing as a file: a pipe would never answer.
bool isNoFile(const QString& path)
{
    const std::optional<struct stat> status = statusAt(path, Links::Followed);
    return status && !S_ISREG(status->st_mode);
}

// QSettings keeps no reason for a failed write; a write of about the file's size beside it
// tells the system's ("No space left on device").
QString failedWriteText(const QSettings& store, const QString& value)
{
    const QFileInfo file(store.fileName());
    const QString reason = writeFailureReason(file.absolutePath(), file.size() + value.size());
    // Damaged lines are no failure: the format reads what it can and keeps a copy of the file.
    QString text = u"The settings file %1 could not be written."_s.arg(store.fileName());
    if (!reason.isEmpty())
        text.insert(text.size() - 1, u": "_s + reason);
    return text;
}

} // namespace

QString settingsFilePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + u'/' +
           Organisation + u'/' + Application + u".conf"_s;
}

namespace {

QVariant storedValue(const QString& key)
{
    const QString path = settingsFilePath();
    if (isNoFile(path))
        return {};
    QSettings store(path, settingsFileFormat());
    store.beginGroup(Section);
    return store.value(key);
}

} // namespace

QString GetSetting(const QString& key, const QString& defaultValue)
{
    const QVariant value = storedValue(key);
    // A hand-edited file may hold a value that is no plain text; it reads as the default.
    if (!value.isValid() || value.typeId() != QMetaType::QString)
        return defaultValue;
    return value.toString();
}

bool SettingExists(const QString& key)
{
    return storedValue(key).isValid();
}

bool SettingIsNoText(const QString& key)
{
    const QVariant value = storedValue(key);
    return value.isValid() && value.typeId() != QMetaType::QString;
}

void SaveSetting(const QString& key, const QString& value)
{
    const QString path = settingsFilePath();
    if (isNoFile(path))
        throw Failure(Failure::NotOwnFile,
                      u"The settings file %1 could not be written: something that is no file "
                      u"stands at its name."_s.arg(path));
    // A settings file made here is the user's alone: Qt keeps the mode of the file it replaces.
    makePrivateFolder(QFileInfo(path).absolutePath());
    createPrivateFile(path);
    // QSettings waits for its lock without end; it gets the lock only once it is free.
    clearSettingsWriteLock(path + u".lock"_s, WriteLockWaitMs);
    QSettings store(path, settingsFileFormat());
    store.beginGroup(Section);
    store.setValue(key, value);
    store.endGroup();
    // QSettings replaces the file through a temporary file and a rename, so a broken write
    // leaves the earlier file intact; all that is left to us is not to stay silent about it.
    store.sync();
    if (store.status() != QSettings::NoError)
        throw Failure(Failure::SystemError, failedWriteText(store, value));
}

} // namespace quillory
