// SPDX-License-Identifier: MIT

#pragma once

#include "base/file_descriptor.h"

#include <QByteArray>
#include <QString>

namespace quillory::journal {

/// What stands at the journal's name.
struct FoundFile {
    enum class Kind {
        None,     ///< nothing
        Read,     ///< a file of the user's own, read whole into `bytes`
        Unusable, ///< something else (a link, a folder, a pipe, another's file, too large,
                  ///< unreadable)
    };
    Kind kind = Kind::None;
    QByteArray bytes;
    /// Why it is unusable, in the system's words where it has any.
    QString problem;
};

/// Reads the journal at the path without following a link or waiting on a pipe; a file larger
/// than `largest` bytes is not read.
FoundFile readJournalFile(const QString& path, qint64 largest);

/// Moves whatever stands at the path aside, to "<path>.damaged" (or ".damaged.2" and on,
/// never over anything), and returns the new name. Throws Failure when it cannot.
QString setAside(const QString& path);

} // namespace quillory::journal
