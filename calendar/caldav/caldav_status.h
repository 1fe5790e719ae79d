// SPDX-License-Identifier: MIT

#pragma once

#include <QString>

namespace quillory::caldav {

/// How an exchange with a calendar server ended.
enum class Status {
    Done,                 ///< everything asked for was done
    InsecureAddress,      ///< no https address (plain http is for a server on this machine only)
    Unauthorised,         ///< the server refused the user name or the password
    NotFound,             ///< nothing at the address: the calendar is gone or the address is wrong
    NoCalendarServer,     ///< the address answers, but no calendar server or calendar is there
    Unreachable,          ///< no answer: unknown host, connection refused, cut off or timed out
    UntrustedCertificate, ///< the server's certificate is not one the system trusts
    Conflict,             ///< an event was changed meanwhile or is held by another program
    ServerError,          ///< the server answered with an error or with something unreadable
    Cancelled,            ///< the user stopped it
};

/// What an exchange came to: its status and, unless Done, the reason as the system or the
/// server gave it.
struct ServerOutcome {
    Status status = Status::Done;
    QString reason;
    /// Whether it succeeded.
    bool ok() const { return status == Status::Done; }
};

} // namespace quillory::caldav
