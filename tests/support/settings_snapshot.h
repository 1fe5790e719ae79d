// SPDX-License-Identifier: MIT

#pragma once

#include <QList>
#include <QSettings>
#include <QStringList>
#include <QVariant>

#include <utility>

namespace quillory::test {

/// Every key of the settings with its value, in key order: what two readers of one file must
/// agree on.
using SettingsSnapshot = QList<std::pair<QString, QVariant>>;

/// The keys and values as read, as a snapshot, each value asked for as QSettings asks: by the
/// key without doubled, leading or trailing slashes.
inline SettingsSnapshot settingsSnapshot(const QSettings::SettingsMap& values)
{
    SettingsSnapshot result;
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        const QString asked = it.key().split(u'/', Qt::SkipEmptyParts).join(u'/');
        result.append({it.key(), asked.isEmpty() ? QVariant() : values.value(asked)});
    }
    return result;
}

/// The settings' keys and values as a snapshot.
inline SettingsSnapshot settingsSnapshot(QSettings& settings)
{
    SettingsSnapshot result;
    QStringList keys = settings.allKeys();
    keys.sort();
    for (const QString& key : keys) {
        // A key of slashes alone (from a line "=x" under the header "[]") has no value to ask for.
        const bool slashesOnly = key.count(u'/') == key.size();
        result.append({key, slashesOnly ? QVariant() : settings.value(key)});
    }
    return result;
}

/// Makes Qt itself write the settings file at the path back with every value as it reads them
/// (a key written and removed again), the reference for what a file that writes back unchanged
/// is.
inline void rewriteThroughQt(const QString& path)
{
    QSettings settings(path, QSettings::IniFormat);
    settings.setValue(QStringLiteral("quillory rewrite probe"), 1);
    settings.sync();
    settings.remove(QStringLiteral("quillory rewrite probe"));
}

} // namespace quillory::test
