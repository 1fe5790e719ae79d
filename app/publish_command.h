// SPDX-License-Identifier: MIT

#pragma once

#include <QString>

namespace quillory {

/// What `quillory --publish` was asked: the calendar and the user, or empty texts for the
/// stored account's, and whether the password comes on standard input (else from the keyring).
struct PublishCommand {
    QString calendar;
    QString user;
    bool passwordOnStandardInput = false;
};

/// Publishes the stored week to the calendar without a window, display or lock, and writes
/// what was and was not published: on standard output when everything was, else on standard
/// error. Needs a QCoreApplication. Returns the exit status: 0 published, 1 not (or not all)
/// published, 2 no calendar or user named or stored.
int runPublishCommand(const PublishCommand& command);

} // namespace quillory
