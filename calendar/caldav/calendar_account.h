// SPDX-License-Identifier: MIT

#pragma once

#include "base/result.h"

#include <QString>
#include <QUrl>

namespace quillory::caldav {

/// The calendar server account the week is published to; its password lives in the keyring.
struct CalendarAccount {
    QString address; ///< the server's address as typed
    QString user;
    QString calendar; ///< the chosen calendar's address
    bool operator==(const CalendarAccount&) const = default;
};

/// The account kept in the settings file's section "CalendarServer" (beside the week's section,
/// never in it); empty texts where nothing is kept.
CalendarAccount storedCalendarAccount();

/// Keeps the account in the settings file; fails with the system's reason when it cannot be
/// written.
Outcome storeCalendarAccount(const CalendarAccount& account);

/// The name a user's password is kept under in the keyring: the user at the calendar's host and
/// port, so every calendar of one server shares it.
QString keyringAccountName(const QString& user, const QUrl& calendar);

} // namespace quillory::caldav
