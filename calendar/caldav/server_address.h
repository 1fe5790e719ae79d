// SPDX-License-Identifier: MIT

#pragma once

#include "calendar/caldav/caldav_status.h"

#include <QString>
#include <QUrl>

namespace quillory::caldav {

/// Whether the password may travel to this address: https anywhere, plain http only to this
/// machine (localhost, 127.0.0.0/8, ::1), where no one else can read it on the way. An
/// address the server sends (a calendar home on another host) is checked the same way.
ServerOutcome checkAddress(const QUrl& address);

/// The address a user typed, made whole: surrounding blanks dropped, "https://" put before an
/// address that names no scheme, a path that ends in "/".
QUrl typedAddress(const QString& typed);

/// A reference the server sent (an absolute path or a whole address), resolved against the
/// address it answered from; collections end in "/".
QUrl resolvedReference(const QUrl& answeredFrom, const QString& reference, bool collection);

/// Where the event with the UID lives in the calendar: its UID's part before "@", then ".ics".
QUrl eventAddress(const QUrl& calendar, const QString& uid);

} // namespace quillory::caldav
