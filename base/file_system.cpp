// SPDX-License-Identifier: MIT

#include "base/file_system.h"

#include "base/failure.h"
#include "base/private_files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quillory {

using namespace Qt::StringLiterals;

namespace {

constexpr mode_t OwnerOnly = 0600;

int& writeFault()
{
    static int fault = 0;
    return fault;
}

Failure cannotWrite(const QString& path, const QString& reason)
{
    return Failure(Failure::SystemError, u"Cannot write %1: %2"_s.arg(path, reason));
}

// Writes all the bytes straight to the descriptor; the system's reason when it cannot, else
// empty. Not through QFile: a write that fills the disk stops short, and QFile then has no
// reason to give ("Unknown error"); writing the rest gives the system's.
QString writeAll(int handle, QByteArrayView bytes)
{
    if (writeFault() != 0)
        return systemReason(writeFault());
    const char* data = bytes.data();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(handle, data, size_t(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            return systemReason(errno);
        data += written;
        left -= written;
    }
    return {};
}

// Writes the pieces one after the other, gives the file its permissions and, when asked,
// waits until the disk has them.
QString writeAndSync(int handle, std::initializer_list<QByteArrayView> pieces, mode_t permissions,
                     Durability durability)
{
    QString reason;
    for (const QByteArrayView piece : pieces) {
        if (reason.isEmpty())
            reason = writeAll(handle, piece);
    }
    if (reason.isEmpty() && ::fchmod(handle, permissions) != 0)
        reason = systemReason(errno);
    if (reason.isEmpty() && durability == Durability::Synced && ::fsync(handle) != 0)
        reason = systemReason(errno);
    return reason;
}

// What a file written in place of the path should allow: the old file's permissions when there
// is one, else what a new file gets under the user's umask.
mode_t permissionsFor(const QString& path)
{
    if (const std::optional<struct stat> status = statusAt(path);
        status && S_ISREG(status->st_mode))
        return status->st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Writes the pieces to the new temporary file and tells which file it is.
FileIdentity writeTemporary(QTemporaryFile& file, const QString& target,
                            std::initializer_list<QByteArrayView> pieces, mode_t permissions,
                            Durability durability)
{
    if (!file.open())
        throw cannotWrite(target, file.errorString());
    const QString reason = writeAndSync(file.handle(), pieces, permissions, durability);
    if (!reason.isEmpty())
        throw cannotWrite(target, reason);
    const std::optional<struct stat> status = statusOf(file.handle());
    return status ? FileIdentity::of(*status) : FileIdentity{};
}

// What a replacing write does when the name holds something this user may not replace.
enum class WhenRefused { Fail, KeepPrivateName };

// How a rename says so: another user's file in a folder where only owners may remove files, or
// a folder.
bool isRefusedReplacement(int error)
{
    return error == EPERM || error == EACCES || error == EISDIR;
}

WrittenFile replaceFile(const QString& path, std::initializer_list<QByteArrayView> pieces,
                        mode_t permissions, Durability durability,
                        WhenRefused whenRefused = WhenRefused::Fail)
{
    // Not QSaveFile: it writes through a link at the path to the link's target. A temporary
    // file of our own (created exclusively) renamed over the path replaces the link itself.
    QTemporaryFile file(joinPath(QFileInfo(path).absolutePath(), u".quillory-XXXXXX"_s));
    WrittenFile written{path, writeTemporary(file, path, pieces, permissions, durability)};
    if (::rename(QFile::encodeName(file.fileName()).constData(),
                 QFile::encodeName(path).constData()) != 0) {
        const int error = errno;
        if (whenRefused == WhenRefused::Fail || !isRefusedReplacement(error))
            throw cannotWrite(path, systemReason(error));
        written.path = file.fileName();
    }
    file.setAutoRemove(false);
    return written;
}

} // namespace

bool FileExists(const QString& path)
{
    if (path.isEmpty() || path.contains(QChar::Null))
        return false;
    const QFileInfo info(path);
    return info.exists() && info.lastModified().isValid();
}

void WriteBytesToFile(const QByteArray& bytes, const QString& path)
{
    QCoreApplication::processEvents();
    if (FileExists(path))
        return;
    QFile file(path);
    // NewOnly is O_CREAT | O_EXCL: it refuses any existing entry, a dangling link included.
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly, QFile::ReadOwner | QFile::WriteOwner))
        throw Failure(Failure::SystemError,
                      u"Cannot create %1: %2"_s.arg(path, file.errorString()));
    const QString reason = writeAll(file.handle(), bytes);
    if (!reason.isEmpty()) {
        file.close();
        file.remove();
        throw cannotWrite(path, reason);
    }
}

void DeleteFileQuietly(const QString& path)
{
    if (!path.isEmpty())
        QFile::remove(path);
}

void replaceFileAtomically(const QString& path, const QByteArray& bytes, Durability durability)
{
    replaceFile(path, {QByteArrayView(bytes)}, permissionsFor(path), durability);
}

FileIdentity replacePrivateFile(const QString& path, const QByteArray& bytes)
{
    return replaceFile(path, {QByteArrayView(bytes)}, OwnerOnly, Durability::Synced).identity;
}

WrittenFile placePrivateFile(const QString& path, std::initializer_list<QByteArrayView> pieces,
                             Durability durability)
{
    return replaceFile(path, pieces, OwnerOnly, durability, WhenRefused::KeepPrivateName);
}

WrittenFile writePrivateFile(const QString& folder, const QString& pattern, const QByteArray& bytes)
{
    const QString target = joinPath(folder, pattern);
    QTemporaryFile file(target);
    const FileIdentity identity =
        writeTemporary(file, target, {QByteArrayView(bytes)}, OwnerOnly, Durability::Unsynced);
    file.setAutoRemove(false);
    return {file.fileName(), identity};
}

bool claimFileName(const QString& path)
{
    const FileDescriptor file = createPrivateFile(path);
    if (!file.isOpen() && errno == EEXIST)
        return false;
    if (!file.isOpen())
        throw Failure(Failure::SystemError,
                      u"Cannot create %1: %2"_s.arg(path, systemReason(errno)));
    return true;
}

QString writeFailureReason(const QString& folder, qint64 size)
{
    QTemporaryFile probe(joinPath(folder, u".quillory-probe-XXXXXX"_s));
    if (!probe.open())
        return probe.errorString();
    return writeAll(probe.handle(), QByteArray(qMax<qint64>(size, 1), ' '));
}

void setWriteFaultForTests(int error)
{
    writeFault() = error;
}

QString joinPath(const QString& folder, const QString& fileName)
{
    return folder + QDir::separator() + fileName;
}

} // namespace quillory
