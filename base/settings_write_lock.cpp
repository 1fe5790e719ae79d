// SPDX-License-Identifier: MIT

#include "base/settings_write_lock.h"

#include "base/file_lock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QThread>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace quillory {

using namespace Qt::StringLiterals;

namespace {

// How long a lock that names no holder is watched for a holder that is still writing its name.
constexpr int NamingPauseMs = 20;

// Qt's lock names its holder (the process id first) only after taking the system's lock on the
// file, so a lock that names no one and that the system lets us take was left by a process
// that ended in between: a crash or a kill just after it was made, or a power cut. Qt would
// wait for it to grow old; it is removed at once. A lock that names a holder is Qt's to judge.
void removeUnnamedDeadLock(const QString& lockPath)
{
    const FileDescriptor file = FileDescriptor::open(lockPath, O_RDONLY | O_NOFOLLOW | O_NONBLOCK);
    if (!file.isOpen() || ::flock(file.get(), LOCK_EX | LOCK_NB) != 0)
        return;
    const auto namesHolder = [&] {
        return QLockFile(lockPath).getLockInfo(nullptr, nullptr, nullptr);
    };
    if (namesHolder())
        return;
    // A holder that has made the file but not yet named itself does so at once (while we hold
    // the system's lock it cannot take it, but it writes its name all the same).
    const std::optional<struct stat> status = file.status();
    if (status && status->st_size == 0) {
        QThread::msleep(NamingPauseMs);
        if (namesHolder())
            return;
    }
    if (identityAt(lockPath) == file.identity())
        ::unlink(QFile::encodeName(lockPath).constData());
}

} // namespace

Outcome clearSettingsWriteLock(const QString& lockPath, int waitMs)
{
    const QString stuck = removeNonFileAt(lockPath).stuck;
    if (!stuck.isEmpty())
        return Outcome(Failure::SystemError,
                       u"The settings cannot be written now: %1."_s.arg(stuck));
    if (!QFileInfo::exists(lockPath))
        return {};
    removeUnnamedDeadLock(lockPath);
    QLockFile lock(lockPath);
    if (lock.tryLock(waitMs)) {
        lock.unlock();
        return {};
    }
    const QString shown = QDir::toNativeSeparators(lockPath);
    if (lock.error() == QLockFile::LockFailedError)
        return Outcome(
            Failure::Locked,
            u"The settings cannot be written now: another program holds their lock %1."_s.arg(
                shown));
    return Outcome(
        Failure::SystemError,
        u"The settings cannot be written now: their lock %1 cannot be taken."_s.arg(shown));
}

} // namespace quillory
