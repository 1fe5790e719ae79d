#include "base/settings_format.h"

#include <QFileDevice>
#include <QFileInfo>
#include <QMutex>
#include <QSet>

namespace quillory {

using namespace Qt::StringLiterals;

namespace {

// The settings files whose last reading found damaged lines and that were not written since.
// QSettings tells a format's writer nothing about the reading, so the reader leaves it here.
struct DamagedFiles {
    QMutex mutex;
    QSet<QString> paths;
};

DamagedFiles& damagedFiles()
{
    static DamagedFiles instance;
    return instance;
}

QString devicePath(const QIODevice& device)
{
    const auto* file = qobject_cast<const QFileDevice*>(&device);
    return file ? QFileInfo(file->fileName()).absoluteFilePath() : QString();
}

// Keeps the damaged file beside itself under a name no earlier copy has taken.
bool keepDamagedCopy(const QString& path)
{
    QString copy = path + u".damaged"_s;
    for (int number = 2; QFileInfo::exists(copy); ++number)
        copy = path + u".damaged."_s + QString::number(number);
    return QFile::copy(path, copy);
}

bool readIniFile(QIODevice& device, QSettings::SettingsMap& settings)
{
    IniContent content = readIni(device.readAll());
    settings = std::move(content.values);
    DamagedFiles& damaged = damagedFiles();
    const QMutexLocker lock(&damaged.mutex);
    if (content.damaged)
        damaged.paths.insert(devicePath(device));
    else
        damaged.paths.remove(devicePath(device));
    // Keys that could be read are used even from a damaged file, as Qt's own reader does.
    return true;
}

bool writeIniFile(QIODevice& device, const QSettings::SettingsMap& settings)
{
    const QString path = devicePath(device);
    DamagedFiles& damaged = damagedFiles();
    const QMutexLocker lock(&damaged.mutex);
    // The file on disk is still the one read: QSettings writes the new text to a temporary file
    // first. (It reads no missing or empty file, so a mark on one is left from an earlier file.)
    if (damaged.paths.contains(path) && QFileInfo(path).size() > 0 && !keepDamagedCopy(path))
        return false;
    const QByteArray text = writeIni(settings);
    if (device.write(text) != text.size())
        return false;
    damaged.paths.remove(path);
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
    DamagedFiles& damaged = damagedFiles();
    const QMutexLocker lock(&damaged.mutex);
    return damaged.paths.contains(QFileInfo(path).absoluteFilePath());
}

} // namespace quillory
