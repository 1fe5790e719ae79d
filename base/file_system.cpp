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
#include <vector>

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
    return writeAllTo(handle, bytes) ? QString() : systemReason(errno);
}

// Writes the content, gives the file its permissions and, when asked, waits until the disk has
// them; throws Failure, naming the target, when it cannot.
void writeAndSync(int handle, const QString& target, const ContentWriter& write, mode_t permissions,
                  Durability durability)
{
    write([&](QByteArrayView piece) {
        const QString reason = writeAll(handle, piece);
        if (!reason.isEmpty())
            throw cannotWrite(target, reason);
    });
    if (::fchmod(handle, permissions) != 0 ||
        (durability == Durability::Synced && ::fsync(handle) != 0))
        throw cannotWrite(target, systemReason(errno));
}

// The pieces, one after the other.
ContentWriter piecesWriter(std::initializer_list<QByteArrayView> pieces)
{
    return [views = std::vector<QByteArrayView>(pieces)](const FileAppender& append) {
        for (const QByteArrayView piece : views)
            append(piece);
    };
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

// Writes the content to the new temporary file and tells which file it is.
FileIdentity writeTemporary(QTemporaryFile& file, const QString& target, const ContentWriter& write,
                            mode_t permissions, Durability durability)
{
    if (!file.open())
        throw cannotWrite(target, file.errorString());
    writeAndSync(file.handle(), target, write, permissions, durability);
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

WrittenFile replaceFile(const QString& path, const ContentWriter& write, mode_t permissions,
                        Durability durability, WhenRefused whenRefused = WhenRefused::Fail)
{
    // Not QSaveFile: it writes through a link at the path to the link's target. A temporary
    // file of our own (created exclusively) renamed over the path replaces the link itself.
    QTemporaryFile file(joinPath(QFileInfo(path).absolutePath(), u".quillory-XXXXXX"_s));
    WrittenFile written{path, writeTemporary(file, path, write, permissions, durability)};
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
    replaceFile(path, piecesWriter({bytes}), permissionsFor(path), durability);
}

void replaceFileAtomically(const QString& path, const ContentWriter& write, Durability durability)
{
    replaceFile(path, write, permissionsFor(path), durability);
}

FileIdentity replacePrivateFile(const QString& path, const QByteArray& bytes)
{
    return replaceFile(path, piecesWriter({bytes}), OwnerOnly, Durability::Synced).identity;
}

WrittenFile placePrivateFile(const QString& path, std::initializer_list<QByteArrayView> pieces,
                             Durability durability)
{
    return replaceFile(path, piecesWriter(pieces), OwnerOnly, durability,
                       WhenRefused::KeepPrivateName);
}

WrittenFile writePrivateFile(const QString& folder, const QString& pattern, const QByteArray& bytes)
{
    const QString target = joinPath(folder, pattern);
    QTemporaryFile file(target);
    const FileIdentity identity =
        writeTemporary(file, target, piecesWriter({bytes}), OwnerOnly, Durability::Unsynced);
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
