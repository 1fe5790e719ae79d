// SPDX-License-Identifier: MIT

#include "base/file_system.h"

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

Problem cannotWrite(const QString& path, const QString& reason)
{
    return Problem{Failure::SystemError, u"Cannot write %1: %2"_s.arg(path, reason), reason};
}

// Writes the content through the layer, straight to the descriptor: a write that fills the disk
// stops short, and the system's reason for the rest is what the user reads ("No space left on
// device"). Gives that reason, or empty when every piece was written.
QString writeContent(const FileLayer& layer, int handle, const ContentWriter& write)
{
    QString reason;
    write([&](QByteArrayView piece) {
        if (reason.isEmpty() && !layer.writeAll(handle, piece))
            reason = systemReason(errno);
        return reason.isEmpty();
    });
    return reason;
}

// Writes the content, gives the file its permissions and, when asked, waits until the disk has
// them; the reason, naming nothing, when it cannot.
QString writeAndSync(const FileLayer& layer, int handle, const ContentWriter& write,
                     mode_t permissions, Durability durability)
{
    if (QString reason = writeContent(layer, handle, write); !reason.isEmpty())
        return reason;
    if (::fchmod(handle, permissions) != 0 ||
        (durability == Durability::Synced && !layer.sync(handle)))
        return systemReason(errno);
    return {};
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
Result<FileIdentity> writeTemporary(QTemporaryFile& file, const QString& target,
                                    const ContentWriter& write, mode_t permissions,
                                    Durability durability, const FileLayer& layer)
{
    if (!file.open())
        return cannotWrite(target, file.errorString());
    if (const QString reason = writeAndSync(layer, file.handle(), write, permissions, durability);
        !reason.isEmpty())
        return cannotWrite(target, reason);
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

struct Replacement {
    mode_t permissions = OwnerOnly;
    Durability durability = Durability::Synced;
    WhenRefused whenRefused = WhenRefused::Fail;
};

Result<WrittenFile> replaceFile(const QString& path, const ContentWriter& write,
                                const Replacement& how, const FileLayer& layer)
{
    // Not QSaveFile: it writes through a link at the path to the link's target. A temporary
    // file of our own (created exclusively) renamed over the path replaces the link itself.
    const QString folder = QFileInfo(path).absolutePath();
    QTemporaryFile file(joinPath(folder, u".quillory-XXXXXX"_s));
    Result<FileIdentity> identity =
        writeTemporary(file, path, write, how.permissions, how.durability, layer);
    if (!identity)
        return identity.problem();
    WrittenFile written{path, identity.value()};
    if (!layer.rename(file.fileName(), path)) {
        const int error = errno;
        if (how.whenRefused == WhenRefused::Fail || !isRefusedReplacement(error))
            return cannotWrite(path, systemReason(error));
        written.path = file.fileName();
    }
    file.setAutoRemove(false);
    // The new name lasts a power cut only once the folder has reached the disk too.
    if (how.durability == Durability::Synced && !layer.syncFolder(folder))
        return cannotWrite(path, systemReason(errno));
    return written;
}

Outcome outcomeOf(const Result<WrittenFile>& result)
{
    return result ? Outcome() : Outcome(result.problem());
}

} // namespace

bool FileExists(const QString& path)
{
    if (path.isEmpty() || path.contains(QChar::Null))
        return false;
    const QFileInfo info(path);
    return info.exists() && info.lastModified().isValid();
}

Outcome WriteBytesToFile(const QByteArray& bytes, const QString& path)
{
    QCoreApplication::processEvents();
    if (FileExists(path))
        return {};
    QFile file(path);
    // NewOnly is O_CREAT | O_EXCL: it refuses any existing entry, a dangling link included.
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly, QFile::ReadOwner | QFile::WriteOwner))
        return Outcome(Failure::SystemError,
                       u"Cannot create %1: %2"_s.arg(path, file.errorString()));
    if (!writeAllTo(file.handle(), bytes)) {
        const QString reason = systemReason(errno);
        file.close();
        file.remove();
        return cannotWrite(path, reason);
    }
    return {};
}

void DeleteFileQuietly(const QString& path)
{
    if (!path.isEmpty())
        QFile::remove(path);
}

Outcome replaceFileAtomically(const QString& path, const QByteArray& bytes, Durability durability,
                              const FileLayer& layer)
{
    return replaceFileAtomically(path, piecesWriter({bytes}), durability, layer);
}

Outcome replaceFileAtomically(const QString& path, const ContentWriter& write,
                              Durability durability, const FileLayer& layer)
{
    return outcomeOf(replaceFile(path, write, {permissionsFor(path), durability}, layer));
}

Result<FileIdentity> replacePrivateFile(const QString& path, const QByteArray& bytes,
                                        const FileLayer& layer)
{
    Result<WrittenFile> written = replaceFile(path, piecesWriter({bytes}), {}, layer);
    if (!written)
        return written.problem();
    return written.value().identity;
}

Result<WrittenFile> placePrivateFile(const QString& path,
                                     std::initializer_list<QByteArrayView> pieces,
                                     Durability durability)
{
    return replaceFile(path, piecesWriter(pieces),
                       {OwnerOnly, durability, WhenRefused::KeepPrivateName}, FileLayer::system());
}

Result<WrittenFile> writePrivateFile(const QString& folder, const QString& pattern,
                                     const QByteArray& bytes)
{
    const QString target = joinPath(folder, pattern);
    QTemporaryFile file(target);
    Result<FileIdentity> identity = writeTemporary(file, target, piecesWriter({bytes}), OwnerOnly,
                                                   Durability::Unsynced, FileLayer::system());
    if (!identity)
        return identity.problem();
    file.setAutoRemove(false);
    return WrittenFile{file.fileName(), identity.value()};
}

Result<bool> claimFileName(const QString& path)
{
    const FileDescriptor file = createPrivateFile(path);
    if (!file.isOpen() && errno == EEXIST)
        return false;
    if (!file.isOpen())
        return Problem{Failure::SystemError,
                       u"Cannot create %1: %2"_s.arg(path, systemReason(errno))};
    return true;
}

QString writeFailureReason(const QString& folder, qint64 size)
{
    QTemporaryFile probe(joinPath(folder, u".quillory-probe-XXXXXX"_s));
    if (!probe.open())
        return probe.errorString();
    return writeAllTo(probe.handle(), QByteArray(qMax<qint64>(size, 1), ' ')) ? QString()
                                                                              : systemReason(errno);
}

QString joinPath(const QString& folder, const QString& fileName)
{
    return folder + QDir::separator() + fileName;
}

} // namespace quillory
