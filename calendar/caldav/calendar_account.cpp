// SPDX-License-Identifier: MIT

#include "calendar/caldav/calendar_account.h"

#include "base/settings_store.h"

namespace quillory::caldav {

using namespace Qt::StringLiterals;

namespace {

// A group of its own inside the program's settings.
constexpr auto AddressKey = "CalendarServer/Address"_L1;
constexpr auto UserKey = "CalendarServer/User"_L1;
constexpr auto CalendarKey = "CalendarServer/Calendar"_L1;

} // namespace

CalendarAccount storedCalendarAccount()
{
    return {GetSetting(AddressKey, {}), GetSetting(UserKey, {}), GetSetting(CalendarKey, {})};
}

Outcome storeCalendarAccount(const CalendarAccount& account)
{
    const CalendarAccount stored = storedCalendarAccount();
    const struct {
        QLatin1StringView key;
        QString kept;
        QString value;
    } fields[] = {{AddressKey, stored.address, account.address},
                  {UserKey, stored.user, account.user},
                  {CalendarKey, stored.calendar, account.calendar}};
    // Each is written only when it changed, so an unchanged account leaves the file alone.
    for (const auto& field : fields) {
        if (field.kept == field.value)
            continue;
        if (Outcome saved = SaveSetting(field.key, field.value); !saved.ok())
            return saved;
    }
    return {};
}

QString keyringAccountName(const QString& user, const QUrl& calendar)
{
    return user + u'@' + calendar.host() + u':' +
           QString::number(calendar.port(calendar.scheme() == u"http"_s ? 80 : 443));
}

} // namespace quillory::caldav
