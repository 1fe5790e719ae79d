// SPDX-License-Identifier: MIT

#include "base/file_lock.h"

#include "base/private_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace quillory {

using namespace Qt::StringLiterals;

namespace {

// A note is a path; anything longer is no note of ours.
constexpr qsizetype NoteLimit = 4096;
// A name that keeps changing while the lock is taken is given up after this many tries.
constexpr int TakeAttempts = 4;
// Never through a link, and never waiting for a writer at a pipe.
constexpr int OpenFlags = O_NOFOLLOW | O_NONBLOCK;

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

// The lock file opened for locking, made when missing; none, with errno set, when it cannot be.
FileDescriptor openLockFile(const QString& path)
{
    FileDescriptor file = FileDescriptor::open(path, O_RDWR | O_CREAT | OpenFlags, 0600);
    // A lock file in a folder the user may not write can still be locked through reading.
    if (file.isOpen() || (errno != EACCES && errno != EPERM && errno != EROFS))
        return file;
    const int denied = errno;
    file = FileDescriptor::open(path, O_RDONLY | OpenFlags);
    if (!file.isOpen() && errno == ENOENT)
        errno = denied; // there was no file to read: the reason is that none can be made
    return file;
}

bool isPlainFile(const FileDescriptor& file)
{
    const std::optional<struct stat> status = file.status();
    return status && S_ISREG(status->st_mode);
}

} // namespace

NonFileRemoval removeNonFileAt(const QString& path)
{
    const std::optional<struct stat> status = statusAt(path);
    if (!status || S_ISREG(status->st_mode))
        return {};
    const QByteArray name = QFile::encodeName(path);
    const bool removed =
        S_ISDIR(status->st_mode) ? ::rmdir(name.constData()) == 0 : ::unlink(name.constData()) == 0;
    if (removed || errno == ENOENT)
        return {true, {}};
    return {true, u"%1 is %2, not a lock file, and cannot be removed: %3"_s.arg(
                      shown(path), kindOf(status->st_mode), systemReason(errno))};
}

FileLock::FileLock(QString path)
    : m_path(std::move(path))
{
}

FileLock::~FileLock()
{
    // Removed while still held: a later start that opened the old file finds its name gone
    // and tries again, so no two processes ever hold locks under the same name.
    if (m_taken && nameLeadsToFile())
        ::unlink(QFile::encodeName(m_path).constData());
}

LockState FileLock::tryTake()
{
    if (m_taken)
        return LockState::Taken;
    makePrivateFolder(QFileInfo(m_path).absolutePath());
    for (int attempt = 0; attempt < TakeAttempts; ++attempt) {
        if (!openFile())
            return LockState::Unavailable;
        if (!m_file.isOpen())
            continue;
        if (::flock(m_file.get(), LOCK_EX | LOCK_NB) != 0) {
            const int error = errno;
            m_file.reset();
            if (error == EWOULDBLOCK)
                return LockState::Held;
            m_problem = u"%1 cannot be locked: %2"_s.arg(shown(m_path), systemReason(error));
            return LockState::Unavailable;
        }
        if (nameLeadsToFile()) {
            m_taken = true;
            return LockState::Taken;
        }
        m_file.reset();
    }
    m_problem = u"%1 keeps changing while it is being locked"_s.arg(shown(m_path));
    return LockState::Unavailable;
}

// Opens the lock file into m_file. When something that is no plain file stood at the name it
// is removed and m_file stays closed for another try; false when the name can be neither
// opened nor cleared.
bool FileLock::openFile()
{
    FileDescriptor file = openLockFile(m_path);
    const int error = errno;
    if (file.isOpen() && isPlainFile(file)) {
        m_file = std::move(file);
        return true;
    }
    const bool opened = file.isOpen();
    file.reset();
    const NonFileRemoval cleared = removeNonFileAt(m_path);
    if (!cleared.stuck.isEmpty()) {
        m_problem = cleared.stuck;
        return false;
    }
    if (!cleared.found && !opened) {
        m_problem = u"%1 cannot be made: %2"_s.arg(shown(m_path), systemReason(error));
        return false;
    }
    return true;
}

// Whether the name still leads to the opened file (and not to a file made after it).
bool FileLock::nameLeadsToFile() const
{
    const std::optional<FileIdentity> opened = m_file.identity();
    return opened && identityAt(m_path) == opened;
}

void FileLock::writeNote(QByteArrayView note)
{
    if (!m_taken || ::ftruncate(m_file.get(), 0) != 0)
        return;
    [[maybe_unused]] const ssize_t written =
        ::pwrite(m_file.get(), note.data(), size_t(note.size()), 0);
}

QByteArray FileLock::readNote() const
{
    const FileDescriptor file = FileDescriptor::open(m_path, O_RDONLY | OpenFlags);
    if (!file.isOpen() || !isPlainFile(file))
        return {};
    return file.readFromStart(NoteLimit).value_or(QByteArray());
}

} // namespace quillory
