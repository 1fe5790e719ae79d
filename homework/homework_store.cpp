// SPDX-License-Identifier: MIT

#include "homework/homework_store.h"

#include "base/failure.h"
#include "base/file_system.h"
#include "base/settings_format.h"
#include "base/settings_store.h"
#include "homework/general_fields.h"
#include "homework/homework_list_model.h"
#include "homework/stored_form.h"

#include <QDir>
#include <QFileInfo>

namespace quillory {

using namespace Qt::StringLiterals;

void SaveHomeworkList(const HomeworkListModel& list)
{
    const QString key = QString::fromUtf16(SettingKey::Homework);
    // A stored list that could not be read stays as it was until the user makes a list.
    if (list.entries().isEmpty() && SettingIsNoText(key))
        return;
    SaveSetting(key, toStoredForm(list.entries()));
}

namespace {

// Rescue files are never replaced: a name already taken gets the next number.
constexpr int RescueNamesPerFolder = 100;

QString rescueName(const QString& folder, const QString& settingsName, int number)
{
    const QString name = settingsName + u".rescued"_s;
    return joinPath(folder, number == 1 ? name : name + u'.' + QString::number(number));
}

// Writes the text to a new file in the folder; nothing when every name there is taken.
std::optional<QString> writeRescueFile(const QString& folder, const QString& settingsName,
                                       const QByteArray& text)
{
    for (int number = 1; number <= RescueNamesPerFolder; ++number) {
        const QString path = rescueName(folder, settingsName, number);
        if (!claimFileName(path))
            continue;
        try {
            replacePrivateFile(path, text);
        } catch (const Failure&) {
            DeleteFileQuietly(path); // the empty file that claimed the name
            throw;
        }
        return path;
    }
    return std::nullopt;
}

} // namespace

QString rescueHomeworkList(const HomeworkListModel& list, const QString& name, const QString& date)
{
    const QString section = u"Quillory/"_s;
    const QByteArray text = writeIni(
        {{section + QString::fromUtf16(SettingKey::Homework), toStoredForm(list.entries())},
         {section + nameSettingKey(0), name},
         {section + QString::fromUtf16(SettingKey::Date), date}});
    const QFileInfo settings(settingsFilePath());
    Failure failed(Failure::Unavailable, u"No name is free for a rescue file."_s);
    for (const QString& folder : {settings.absolutePath(), QDir::homePath(), QDir::tempPath()}) {
        try {
            if (const std::optional<QString> path =
                    writeRescueFile(folder, settings.fileName(), text))
                return *path;
        } catch (const Failure& failure) {
            failed = failure;
        }
    }
    throw failed;
}

void LoadHomeworkList(HomeworkListModel& list)
{
    list.clear();
    const QString key = QString::fromUtf16(SettingKey::Homework);
    if (SettingIsNoText(key))
        throw Failure(Failure::Malformed,
                      u"The stored class list is damaged: it is no plain text. It is kept as it "
                      u"is until you make a list."_s);
    ParsedHomework parsed = parseStoredForm(GetSetting(key, QString()));
    list.setEntries(std::move(parsed.entries));
    if (parsed.incompleteRows > 0)
        throw Failure(Failure::Malformed,
                      u"The stored class list is damaged: %1 of its classes lacked some of their "
                      u"days and were kept with those days empty."_s.arg(parsed.incompleteRows));
}

} // namespace quillory
