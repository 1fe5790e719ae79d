// SPDX-License-Identifier: MIT

#include "base/settings_write_lock.h"

#include "base/failure.h"
#include "base/file_lock.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>

namespace quillory {

using namespace Qt::StringLiterals;

void clearSettingsWriteLock(const QString& lockPath, int waitMs)
{
    const QString stuck = removeNonFileAt(lockPath).stuck;
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
    const QString shown = QDir::toNativeSeparators(lockPath);
    if (lock.error() == QLockFile::LockFailedError)
        throw Failure(
            Failure::Locked,
            u"The settings cannot be written now: another program holds their lock %1."_s.arg(
                shown));
    throw Failure(
        Failure::SystemError,
        u"The settings cannot be written now: their lock %1 cannot be taken."_s.arg(shown));
}

} // namespace quillory
