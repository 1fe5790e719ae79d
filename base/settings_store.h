// SPDX-License-Identifier: MIT

#pragma once

#include "base/result.h"

#include <QString>

namespace quillory {

/// The keys under which the program keeps what the user typed.
namespace SettingKey {
/// The class list in its stored form.
inline constexpr char16_t Homework[] = u"Homework";
/// The name box: "Text1_" followed by the box's index in its group.
inline constexpr char16_t NamePrefix[] = u"Text1_";
/// The date picker.
inline constexpr char16_t Date[] = u"DateTimePicker1";
} // namespace SettingKey

/// The section every key of the program's own lies in.
inline constexpr char16_t SettingsSection[] = u"Quillory";

/// The key's full name in the settings file: the section, '/', the key.
QString sectionKey(const QString& key);

/// The settings file: "Velmora/Quillory.conf" in the user's configuration folder
/// ($XDG_CONFIG_HOME, else ~/.config), in Qt's INI format.
QString settingsFilePath();

/// The stored text of a key, or the default when the key was never written or cannot be read
/// (also when something other than a file stands at the settings file's name).
QString GetSetting(const QString& key, const QString& defaultValue);

/// Whether the key holds a value, readable or not (never when the settings file cannot be read).
bool SettingExists(const QString& key);

/// Whether the key holds a value that is no plain text (a hand-edited list of quoted items, say),
/// which GetSetting reads as the default.
bool SettingIsNoText(const QString& key);

/// Stores the text under the key and writes it to disk at once, whole or not at all; fails with
/// the system's reason when the value did not reach the disk, also when the file's lock cannot
/// be taken within half a second.
Outcome SaveSetting(const QString& key, const QString& value);

} // namespace quillory
