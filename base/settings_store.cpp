// SPDX-License-Identifier: MIT

#include "base/settings_store.h"

#include "base/settings_file.h"

#include <QStandardPaths>

namespace quillory {

using namespace Qt::StringLiterals;

QString sectionKey(const QString& key)
{
    return QString::fromUtf16(SettingsSection) + u'/' + key;
}

QString settingsFilePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           u"/Velmora/Quillory.conf"_s;
}

namespace {

QVariant storedValue(const QString& key)
{
    return SettingsFile(settingsFilePath()).read().ini.values.value(sectionKey(key));
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

Outcome SaveSetting(const QString& key, const QString& value)
{
    return SettingsFile(settingsFilePath()).write({{sectionKey(key), value}});
}

} // namespace quillory
