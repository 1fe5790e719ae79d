#pragma once

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

/// The stored text of a key, or the default when the key was never written or cannot be read.
QString GetSetting(const QString& key, const QString& defaultValue);

/// Stores the text under the key and writes it to disk at once (atomically: the earlier file
/// stays whole if the write breaks off). Throws Failure when the value could not be written.
void SaveSetting(const QString& key, const QString& value);

} // namespace quillory
