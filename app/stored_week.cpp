// SPDX-License-Identifier: MIT

#include "app/stored_week.h"

#include "base/settings_store.h"
#include "homework/general_fields.h"
#include "homework/stored_form.h"
#include "journal/journal_reading.h"

namespace quillory {

using namespace Qt::StringLiterals;

namespace {

// The date a start shows: the stored one where the date picker can show it.
QDateTime shownDate(const QDateTime& stored)
{
    return stored.isValid() && stored >= earliestPickerDate() && stored <= latestPickerDate()
               ? stored
               : initialPickerDate();
}

} // namespace

StoredWeekReading readStoredWeek()
{
    const QString key = QString::fromUtf16(SettingKey::Homework);
    if (SettingIsNoText(key))
        return {StoredWeekStatus::Damaged,
                {},
                u"The stored class list in %1 is damaged: it is no plain text."_s.arg(
                    settingsFilePath())};
    const bool listStored = SettingExists(key);
    const QList<HomeworkEntry> entries = parseStoredForm(GetSetting(key, QString())).entries;
    const QDateTime date = shownDate(restoredDate(QDateTime()));
    const journal::Week stored{entries, {restoredName(0), storedDateText(date)}};
    const journal::JournalReading journal =
        journal::readJournalReadOnly(settingsFilePath(), stored);
    if (journal.status == journal::ReadingStatus::Newer) {
        const journal::Week& newer = journal.week;
        const QDateTime newerDate = dateFromStoredText(newer.fields.date);
        return {StoredWeekStatus::Read,
                {newer.fields.name, (newerDate.isValid() ? newerDate : date).date(), newer.entries},
                {}};
    }
    if (!listStored)
        return {StoredWeekStatus::NothingStored,
                {},
                u"No class list is stored in %1 yet."_s.arg(settingsFilePath())};
    return {StoredWeekStatus::Read, {stored.fields.name, date.date(), entries}, {}};
}

} // namespace quillory
