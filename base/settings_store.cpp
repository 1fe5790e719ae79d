#include "base/settings_store.h"

#include "base/failure.h"
#include "base/file_system.h"
#include "base/settings_format.h"

#include <QFileInfo>
#include <QSettings>

namespace quillory {

using namespace Qt::StringLiterals;

namespace {

constexpr auto Organisation = "Velmora"_L1;
constexpr auto Application = "Quillory"_L1;
constexpr auto Section = "Quillory"_L1;

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

QString GetSetting(const QString& key, const QString& defaultValue)
{
    QSettings store(settingsFileFormat(), QSettings::UserScope, Organisation, Application);
    store.beginGroup(Section);
    const QVariant value = store.value(key);
    // A hand-edited file may hold a value that is no plain text; it reads as the default.
    if (!value.isValid() || value.typeId() != QMetaType::QString)
        return defaultValue;
    return value.toString();
}

void SaveSetting(const QString& key, const QString& value)
{
    QSettings store(settingsFileFormat(), QSettings::UserScope, Organisation, Application);
    store.beginGroup(Section);
    store.setValue(key, value);
    store.endGroup();
    // QSettings replaces the file through a temporary file and a rename, so a broken write
    // leaves the earlier file intact; all that is left to us is not to stay silent about it.
    store.sync();
    if (store.status() != QSettings::NoError)
        throw Failure(failedWriteText(store, value));
}

} // namespace quillory
