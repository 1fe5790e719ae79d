// SPDX-License-Identifier: MIT

#include "homework/general_fields.h"

#include "base/settings_store.h"

namespace quillory {

QDateTime initialPickerDate()
{
    return QDateTime(QDate(2013, 6, 8), QTime(11, 51, 22));
}

QDateTime earliestPickerDate()
{
    return QDateTime(QDate(1601, 1, 1), QTime(0, 0));
}

QDateTime latestPickerDate()
{
    return QDateTime(QDate(9999, 12, 31), QTime(23, 59, 59));
}

QString nameSettingKey(int index)
{
    return QString::fromUtf16(SettingKey::NamePrefix) + QString::number(index);
}

Outcome storeName(int index, const QString& text)
{
    return SaveSetting(nameSettingKey(index), text);
}

QString restoredName(int index)
{
    return GetSetting(nameSettingKey(index), QString());
}

QString storedDateText(const QDateTime& value)
{
    return value.toString(Qt::ISODate);
}

QDateTime dateFromStoredText(const QString& text)
{
    return QDateTime::fromString(text, Qt::ISODate);
}

Outcome storeDate(const QDateTime& value)
{
    return SaveSetting(QString::fromUtf16(SettingKey::Date), storedDateText(value));
}

QDateTime restoredDate(const QDateTime& current)
{
    const QDateTime stored =
        dateFromStoredText(GetSetting(QString::fromUtf16(SettingKey::Date), QString()));
    return stored.isValid() ? stored : current;
}

} // namespace quillory
