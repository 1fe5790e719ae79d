// SPDX-License-Identifier: MIT

#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace quillory {

/// Removes what stands at a lock's name when it is no plain file: a link, a pipe, a socket, a
/// device, or an empty folder. Empty when the name is free or holds a plain file afterwards;
/// otherwise why it could not be removed, in plain words.
QString removeNonFileAt(const QString& path);

/// Makes sure the lock that guards writing the settings file (Qt's, at `lockPath`) can be taken
/// now, so that a write never waits on it without end: what is no lock file at its name is
/// removed, and a lock that another process holds must be given up within `waitMs`. Throws
/// Failure saying why not.
void clearSettingsWriteLock(const QString& lockPath, int waitMs);

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
    /// first; a missing folder is made.
    LockState tryTake();
    /// Why the lock was unavailable, in plain words.
    QString problem() const { return m_problem; }

    /// Replaces the note in the lock this process holds.
    void writeNote(QByteArrayView note);
    /// The note that the lock's holder left; empty when there is none or it cannot be read.
    QByteArray readNote() const;

private:
    bool openFile();

    QString m_path;
    int m_handle = -1;
    bool m_taken = false;
    QString m_problem;
};

} // namespace quillory
