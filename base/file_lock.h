// SPDX-License-Identifier: MIT

#pragma once

#include "base/file_descriptor.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace quillory {

/// What stood at a lock's name that is no plain file.
struct NonFileRemoval {
    bool found = false; ///< something that is no plain file stood there
    QString stuck;      ///< why it could not be removed, in plain words; empty when it was
};

/// Removes what stands at a lock's name when it is no plain file: a link, a pipe, a socket, a
/// device, or an empty folder. A plain file, or nothing, is left as it is.
NonFileRemoval removeNonFileAt(const QString& path);

/// What trying to take a lock found.
enum class LockState {
    Taken,      ///< this process holds it now
    Held,       ///< another live process on this machine holds it
    Unavailable ///< it can be neither taken nor tested (see FileLock::problem)
};

/// An exclusive lock on a file, kept by the system for as long as this object holds the file
/// open: it ends with the process however that ends, so a lock file left by a crash or a power
/// cut never counts, whatever it holds. The holder may leave a short note in it for others.
class FileLock {
public:
    /// A lock at the path, not yet taken.
    explicit FileLock(QString path);
    /// Gives the lock up and removes its file.
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    /// Tries once, without waiting. What stands at the name and is no plain file is removed
    /// first; a missing folder is made, open to the user alone.
    LockState tryTake();
    /// Why the lock was unavailable, in plain words.
    QString problem() const { return m_problem; }

    /// Replaces the note in the lock this process holds.
    void writeNote(QByteArrayView note);
    /// The note that the lock's holder left; empty when there is none or it cannot be read.
    QByteArray readNote() const;

private:
    bool openFile();
    bool nameLeadsToFile() const;

    QString m_path;
    FileDescriptor m_file;
    bool m_taken = false;
    QString m_problem;
};

} // namespace quillory
