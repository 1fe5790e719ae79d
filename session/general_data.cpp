// SPDX-License-Identifier: MIT

#include "session/general_data.h"

#include "base/settings_store.h"
#include "base/settings_writer.h"
#include "homework/general_fields.h"

namespace quillory {

namespace {

// The name box is index 0 of its group; the index is part of its setting key.
constexpr int NameBoxIndex = 0;

QString nameKey()
{
    return sectionKey(nameSettingKey(NameBoxIndex));
}

QString dateKey()
{
    return sectionKey(QString::fromUtf16(SettingKey::Date));
}

bool pickerShows(const QDateTime& date)
{
    return date.isValid() && date >= earliestPickerDate() && date <= latestPickerDate();
}

} // namespace

GeneralData::GeneralData(SettingsWriter& writer)
    : m_writer(writer)
    , m_date(initialPickerDate())
{
}

void GeneralData::showName(const QString& name)
{
    if (name == m_name)
        return;
    m_name = name;
    Q_EMIT nameChanged(m_name);
}

void GeneralData::storeName(const ProcedureStep& step)
{
    m_writer.store(nameKey(), m_name, step);
}

void GeneralData::setName(const QString& name, const ProcedureStep& step)
{
    showName(name);
    storeName(step);
}

void GeneralData::setDate(const QDateTime& date)
{
    if (!pickerShows(date) || date == m_date)
        return;
    m_date = date;
    Q_EMIT dateChanged(m_date);
}

void GeneralData::storeDate(const ProcedureStep& step)
{
    m_writer.store(dateKey(), storedDateText(m_date), step);
}

void GeneralData::restoreName(const SettingsContent& stored)
{
    const QVariant value = stored.ini.values.value(nameKey());
    showName(value.typeId() == QMetaType::QString ? value.toString() : QString());
}

void GeneralData::restoreDate(const SettingsContent& stored)
{
    const QVariant value = stored.ini.values.value(dateKey());
    if (value.typeId() == QMetaType::QString)
        setDate(dateFromStoredText(value.toString()));
}

void GeneralData::storeLater()
{
    m_writer.storeLater(nameKey(), m_name);
    m_writer.storeLater(dateKey(), storedDateText(m_date));
}

} // namespace quillory
