// SPDX-License-Identifier: MIT

#include "base/settings_format.h"

#include <QFile>
#include <QFileDevice>
#include <QFileInfo>
#include <QMutex>
#include <QSet>

#include <algorithm>

namespace quillory {

using namespace Qt::StringLiterals;

namespace {

// What the last reading of each settings file found, until the file is written. QSettings
// tells a format's writer nothing about the reading, so the reader leaves it here.
struct ReadFiles {
    QMutex mutex;
    QSet<QString> damaged; ///< with damaged lines
    QSet<QString> toKeep;  ///< damaged, or read as values that do not write back as the same bytes
};

ReadFiles& readFiles()
{
    static ReadFiles instance;
    return instance;
}

void mark(QSet<QString>& files, const QString& path, bool marked)
{
    if (marked)
        files.insert(path);
    else
        files.remove(path);
}

QString devicePath(const QIODevice& device)
{
    const auto* file = qobject_cast<const QFileDevice*>(&device);
    return file ? QFileInfo(file->fileName()).absoluteFilePath() : QString();
}

// The copies kept beside the file: "<name>.damaged", then "<name>.damaged.2" and on.
QString copyName(const QString& path, int number)
{
    const QString first = path + u".damaged"_s;
    return number == 1 ? first : first + u'.' + QString::number(number);
}

bool holds(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.size() == bytes.size() && file.open(QIODevice::ReadOnly) && file.readAll() == bytes;
}

// Keeps the file that is about to be replaced beside itself, under a name no earlier copy has
// taken, unless one of those copies holds the same bytes already.
bool keepCopy(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    int number = 1;
    for (;
         QFileInfo::exists(copyName(path, number)) || QFileInfo(copyName(path, number)).isSymLink();
         ++number) {
        if (holds(copyName(path, number), bytes))
            return true;
    }
    QFile copy(copyName(path, number));
    return copy.open(QIODevice::WriteOnly | QIODevice::NewOnly,
                     QFile::ReadOwner | QFile::WriteOwner) &&
           copy.write(bytes) == bytes.size();
}

bool isAllText(const QSettings::SettingsMap& values)
{
    return std::all_of(values.cbegin(), values.cend(),
                       [](const QVariant& value) { return value.typeId() == QMetaType::QString; });
}

bool readIniFile(QIODevice& device, QSettings::SettingsMap& settings)
{
    const QByteArray bytes = device.readAll();
    IniContent content = readIni(bytes);
    // Qt's format reads some hand-edited files as other values than they seem to hold (a stray
    // quote, a byte order mark, a comma that makes a list): the program, which reads text only,
    // would not write them back as they were, so such a file is kept as a damaged one is.
    const bool changedByReading =
        content.damaged || !isAllText(content.values) || writeIni(content.values) != bytes;
    settings = std::move(content.values);
    const QString path = devicePath(device);
    ReadFiles& files = readFiles();
    const QMutexLocker lock(&files.mutex);
    mark(files.damaged, path, content.damaged);
    mark(files.toKeep, path, changedByReading);
    // Keys that could be read are used even from a damaged file, as Qt's own reader does.
    return true;
}

bool writeIniFile(QIODevice& device, const QSettings::SettingsMap& settings)
{
    const QString path = devicePath(device);
    ReadFiles& files = readFiles();
    const QMutexLocker lock(&files.mutex);
    // The file on disk is still the one read: QSettings writes the new text to a temporary file
    // first. (It reads no missing or empty file, so a mark on one is left from an earlier file.)
    if (files.toKeep.contains(path) && QFileInfo(path).size() > 0 && !keepCopy(path))
        return false;
    const QByteArray text = writeIni(settings);
    if (device.write(text) != text.size())
        return false;
    files.damaged.remove(path);
    files.toKeep.remove(path);
    return true;
}

} // namespace

QSettings::Format settingsFileFormat()
{
    static const QSettings::Format format =
        QSettings::registerFormat(u"conf"_s, readIniFile, writeIniFile);
    return format;
}

bool settingsFileDamaged(const QString& path)
{
    ReadFiles& files = readFiles();
    const QMutexLocker lock(&files.mutex);
    return files.damaged.contains(QFileInfo(path).absoluteFilePath());
}

} // namespace quillory
