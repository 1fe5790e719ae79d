// SPDX-License-Identifier: MIT

#include "homework/homework_store.h"

#include "base/failure.h"
#include "base/file_system.h"
#include "base/settings_file.h"
#include "base/settings_format.h"
#include "base/settings_store.h"
#include "homework/general_fields.h"
#include "homework/homework_list_model.h"
#include "homework/stored_form.h"

#include <QDir>
#include <QFileInfo>

namespace quillory {

using namespace Qt::StringLiterals;

Outcome SaveHomeworkList(const HomeworkListModel& list)
{
    const QString key = QString::fromUtf16(SettingKey::Homework);
    // A stored list that could not be read stays as it was until the user makes a list.
    if (list.entries().isEmpty() && SettingIsNoText(key))
        return {};
    return SaveSetting(key, toStoredForm(list.entries()));
}

namespace {

// Rescue files are never replaced: a name already taken gets the next number.
constexpr int RescueNamesPerFolder = 100;

QString rescueName(const QString& folder, const QString& settingsName, int number)
{
    const QString name = settingsName + u".rescued"_s;
    return joinPath(folder, number == 1 ? name : name + u'.' + QString::number(number));
}

// Writes the text to a new file in the folder; an empty path when every name there is taken.
Result<QString> writeRescueFile(const QString& folder, const QString& settingsName,
                                const QByteArray& text)
{
    for (int number = 1; number <= RescueNamesPerFolder; ++number) {
        const QString path = rescueName(folder, settingsName, number);
        const Result<bool> claimed = claimFileName(path);
        if (!claimed)
            return claimed.problem();
        if (!claimed.value())
            continue;
        if (const Result<FileIdentity> written = replacePrivateFile(path, text); !written) {
            DeleteFileQuietly(path); // the empty file that claimed the name
            return written.problem();
        }
        return path;
    }
    return QString();
}

} // namespace

Result<QString> rescueHomeworkList(const HomeworkListModel& list, const QString& name,
                                   const QString& date)
{
    const QString section = u"Quillory/"_s;
    const QByteArray text = writeIni(
        {{section + QString::fromUtf16(SettingKey::Homework), toStoredForm(list.entries())},
         {section + nameSettingKey(0), name},
         {section + QString::fromUtf16(SettingKey::Date), date}});
    const QFileInfo settings(settingsFilePath());
    Problem failed{Failure::Unavailable, u"No name is free for a rescue file."_s};
    for (const QString& folder : {settings.absolutePath(), QDir::homePath(), QDir::tempPath()}) {
        Result<QString> path = writeRescueFile(folder, settings.fileName(), text);
        if (path && !path.value().isEmpty())
            return path;
        if (!path)
            failed = path.problem();
    }
    return failed;
}

Outcome LoadHomeworkList(HomeworkListModel& list)
{
    return LoadHomeworkList(list, SettingsFile(settingsFilePath()).read());
}

Outcome LoadHomeworkList(HomeworkListModel& list, const SettingsContent& stored)
{
    list.clear();
    const QVariant value =
        stored.ini.values.value(sectionKey(QString::fromUtf16(SettingKey::Homework)));
    if (value.isValid() && value.typeId() != QMetaType::QString)
        return Outcome(Failure::Malformed,
                       u"The stored class list is damaged: it is no plain text. It is kept as it "
                       u"is until you make a list."_s);
    ParsedHomework parsed = parseStoredForm(value.toString());
    list.setEntries(std::move(parsed.entries));
    if (parsed.incompleteRows > 0)
        return Outcome(Failure::Malformed,
                       u"The stored class list is damaged: %1 of its classes lacked some of their "
                       u"days and were kept with those days empty."_s.arg(parsed.incompleteRows));
    return {};
}

} // namespace quillory
