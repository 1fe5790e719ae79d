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

void storeCalendarAccount(const CalendarAccount& account)
{
    // Each is written only when it changed, so an unchanged account leaves the file alone.
    const CalendarAccount stored = storedCalendarAccount();
    if (stored.address != account.address)
        SaveSetting(AddressKey, account.address);
    if (stored.user != account.user)
        SaveSetting(UserKey, account.user);
    if (stored.calendar != account.calendar)
        SaveSetting(CalendarKey, account.calendar);
}

QString keyringAccountName(const QString& user, const QUrl& calendar)
{
    return user + u'@' + calendar.host() + u':' +
           QString::number(calendar.port(calendar.scheme() == u"http"_s ? 80 : 443));
}

} // namespace quillory::caldav
