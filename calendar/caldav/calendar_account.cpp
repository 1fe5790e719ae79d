// SPDX-License-Identifier: MIT

#include "calendar/caldav/calendar_account.h"

#include "base/settings_file.h"
#include "base/settings_store.h"

namespace quillory::caldav {

using namespace Qt::StringLiterals;

namespace {

// A section of its own in the settings file, beside the week's: never among its keys.
constexpr auto AddressKey = "CalendarServer/Address"_L1;
constexpr auto UserKey = "CalendarServer/User"_L1;
constexpr auto CalendarKey = "CalendarServer/Calendar"_L1;

} // namespace

CalendarAccount storedCalendarAccount()
{
    const QSettings::SettingsMap values = SettingsFile(settingsFilePath()).read().ini.values;
    const auto text = [&values](QLatin1StringView key) {
        const QVariant value = values.value(key);
        return value.typeId() == QMetaType::QString ? value.toString() : QString();
    };
    return {text(AddressKey), text(UserKey), text(CalendarKey)};
}

Outcome storeCalendarAccount(const CalendarAccount& account)
{
    // An unchanged account writes no byte.
    return SettingsFile(settingsFilePath())
        .write({{AddressKey, account.address},
                {UserKey, account.user},
                {CalendarKey, account.calendar}});
}

QString keyringAccountName(const QString& user, const QUrl& calendar)
{
    return user + u'@' + calendar.host() + u':' +
           QString::number(calendar.port(calendar.scheme() == u"http"_s ? 80 : 443));
}

} // namespace quillory::caldav
