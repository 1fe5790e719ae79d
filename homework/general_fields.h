// SPDX-License-Identifier: MIT

#pragma once

#include "base/result.h"

#include <QDateTime>
#include <QString>

namespace quillory {

/// The placeholder that the name box's text replaces in the template (the box's tag).
inline constexpr char16_t NamePlaceholder[] = u"[YourName]";
/// The placeholder that the formatted date replaces in the template.
inline constexpr char16_t DatePlaceholder[] = u"[Date]";

/// The date picker's value before anything is restored: 8 June 2013, 11:51:22.
QDateTime initialPickerDate();

/// The first moment the date picker can show: 1 January 1601, 00:00:00.
QDateTime earliestPickerDate();

/// The last moment the date picker can show: 31 December 9999, 23:59:59.
QDateTime latestPickerDate();

/// The setting key of a box of the name group: "Text1_" followed by its index.
QString nameSettingKey(int index);

/// Stores the text of the name box with the index, exactly as it stands.
Outcome storeName(int index, const QString& text);

/// The stored text of the name box with the index; empty when never stored.
QString restoredName(int index);

/// The text a date is stored as: ISO 8601 with the time of day.
QString storedDateText(const QDateTime& value);

/// The date a stored text stands for; an invalid date when it stands for none.
QDateTime dateFromStoredText(const QString& text);

/// Stores the picker's value (ISO 8601 with the time of day, so a change of locale does not
/// change what it reads back as).
Outcome storeDate(const QDateTime& value);

/// The stored date; `current` when nothing, or nothing readable, is stored.
QDateTime restoredDate(const QDateTime& current);

} // namespace quillory
