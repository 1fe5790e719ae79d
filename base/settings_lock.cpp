// SPDX-License-Identifier: MIT

#include "base/settings_lock.h"

#include "base/failure.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quillory {

using namespace Qt::StringLiterals;

namespace {

// A note is a path; anything longer is no note of ours.
constexpr qsizetype NoteLimit = 4096;
// A name that keeps changing while the lock is taken is given up after this many tries.
constexpr int TakeAttempts = 4;
// Never through a link, and never waiting for a writer at a pipe.
constexpr int OpenFlags = O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;

QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

QString kindOf(mode_t mode)
{
    if (S_ISDIR(mode))
        return u"a folder"_s;
    if (S_ISLNK(mode))
        return u"a link"_s;
    if (S_ISFIFO(mode))
        return u"a pipe"_s;
    if (S_ISSOCK(mode))
        return u"a socket"_s;
    return u"a device"_s;
}

// What stood at a name that should hold a plain file.
struct NonFile {
    bool found = false; ///< something that is no plain file stood there
    QString stuck;      ///< why it could not be removed; empty when it was
};

NonFile clearNonFile(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat status {};
    if (::lstat(name.constData(), &status) != 0 || S_ISREG(status.st_mode))
        return {};
    const bool removed =
        S_ISDIR(status.st_mode) ? ::rmdir(name.constData()) == 0 : ::unlink(name.constData()) == 0;
    if (removed || errno == ENOENT)
        return {true, {}};
    return {true, u"%1 is %2, not a lock file, and cannot be removed: %3"_s.arg(
                      shown(path), kindOf(status.st_mode), systemReason(errno))};
}

// The lock file opened for locking, made when missing; -1 with errno set when it cannot be.
int openLockFile(const QByteArray& name)
{
    const int handle = ::open(name.constData(), O_RDWR | O_CREAT | OpenFlags, 0600);
    // A lock file in a folder the user may not write can still be locked through reading.
    if (handle >= 0 || (errno != EACCES && errno != EPERM && errno != EROFS))
        return handle;
    const int denied = errno;
    const int readOnly = ::open(name.constData(), O_RDONLY | OpenFlags);
    if (readOnly < 0 && errno == ENOENT)
        errno = denied; // there was no file to read: the reason is that none can be made
    return readOnly;
}

bool isPlainFile(int handle)
{
    struct stat status {};
    return ::fstat(handle, &status) == 0 && S_ISREG(status.st_mode);
}

// Whether the name still leads to the opened file (and not to a file made after it).
bool nameLeadsTo(const QString& path, int handle)
{
    struct stat opened {};
    struct stat named {};
    return ::fstat(handle, &opened) == 0 &&
           ::lstat(QFile::encodeName(path).constData(), &named) == 0 &&
           opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

} // namespace

QString removeNonFileAt(const QString& path)
{
    return clearNonFile(path).stuck;
}

void clearSettingsWriteLock(const QString& lockPath, int waitMs)
{
    const QString stuck = removeNonFileAt(lockPath);
    if (!stuck.isEmpty())
        throw Failure(Failure::SystemError,
                      u"The settings cannot be written now: %1."_s.arg(stuck));
    if (!QFileInfo::exists(lockPath))
        return;
    QLockFile lock(lockPath);
    if (lock.tryLock(waitMs)) {
        lock.unlock();
        return;
    }
    if (lock.error() == QLockFile::LockFailedError)
        throw Failure(
            Failure::Locked,
            u"The settings cannot be written now: another program holds their lock %1."_s.arg(
                shown(lockPath)));
    throw Failure(Failure::SystemError,
                  u"The settings cannot be written now: their lock %1 cannot be taken."_s.arg(
                      shown(lockPath)));
}

FileLock::FileLock(QString path)
    : m_path(std::move(path))
{
}

FileLock::~FileLock()
{
    if (m_handle < 0)
        return;
    // Removed while still held: a later start that opened the old file finds its name gone
    // and tries again, so no two processes ever hold locks under the same name.
    if (m_taken && nameLeadsTo(m_path, m_handle))
        ::unlink(QFile::encodeName(m_path).constData());
    ::close(m_handle);
}

LockState FileLock::tryTake()
{
    if (m_taken)
        return LockState::Taken;
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    for (int attempt = 0; attempt < TakeAttempts; ++attempt) {
        if (!openFile())
            return LockState::Unavailable;
        if (m_handle < 0)
            continue;
        if (::flock(m_handle, LOCK_EX | LOCK_NB) != 0) {
            const int error = errno;
            ::close(m_handle);
            m_handle = -1;
            if (error == EWOULDBLOCK)
                return LockState::Held;
            m_problem = u"%1 cannot be locked: %2"_s.arg(shown(m_path), systemReason(error));
            return LockState::Unavailable;
        }
        if (nameLeadsTo(m_path, m_handle)) {
            m_taken = true;
            return LockState::Taken;
        }
        ::close(m_handle);
        m_handle = -1;
    }
    m_problem = u"%1 keeps changing while it is being locked"_s.arg(shown(m_path));
    return LockState::Unavailable;
}

// Opens the lock file into m_handle. When something that is no plain file stood at the name it
// is removed and m_handle stays -1 for another try; false when the name can be neither opened
// nor cleared.
bool FileLock::openFile()
{
    const int handle = openLockFile(QFile::encodeName(m_path));
    const int error = errno;
    if (handle >= 0 && isPlainFile(handle)) {
        m_handle = handle;
        return true;
    }
    if (handle >= 0)
        ::close(handle);
    const NonFile cleared = clearNonFile(m_path);
    if (!cleared.stuck.isEmpty()) {
        m_problem = cleared.stuck;
        return false;
    }
    if (!cleared.found && handle < 0) {
        m_problem = u"%1 cannot be made: %2"_s.arg(shown(m_path), systemReason(error));
        return false;
    }
    return true;
}

void FileLock::writeNote(QByteArrayView note)
{
    if (!m_taken || ::ftruncate(m_handle, 0) != 0)
        return;
    [[maybe_unused]] const ssize_t written =
        ::pwrite(m_handle, note.data(), size_t(note.size()), 0);
}

QByteArray FileLock::readNote() const
{
    const int handle = ::open(QFile::encodeName(m_path).constData(), O_RDONLY | OpenFlags);
    if (handle < 0)
        return {};
    QByteArray note;
    if (isPlainFile(handle)) {
        note.resize(NoteLimit);
        const ssize_t read = ::read(handle, note.data(), size_t(NoteLimit));
        note.resize(read > 0 ? read : 0);
    }
    ::close(handle);
    return note;
}

} // namespace quillory
