#include "base/file_system.h"

#include "base/failure.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <sys/stat.h>
#include <unistd.h>

namespace quillory {

using namespace Qt::StringLiterals;

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
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        throw Failure(u"Cannot create %1: %2"_s.arg(path, file.errorString()));
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const QString reason = file.errorString();
        file.close();
        file.remove();
        throw Failure(u"Cannot write %1: %2"_s.arg(path, reason));
    }
}

void DeleteFileQuietly(const QString& path)
{
    if (!path.isEmpty())
        QFile::remove(path);
}

namespace {

// What a file written in place of the path should allow: the old file's permissions when there
// is one, else what a new file gets under the user's umask.
mode_t permissionsFor(const QString& path)
{
    struct stat status {};
    if (::lstat(QFile::encodeName(path).constData(), &status) == 0 && S_ISREG(status.st_mode))
        return status.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

void replaceFileAtomically(const QString& path, const QByteArray& bytes)
{
    replaceFileAtomically(path, {QByteArrayView(bytes)}, Durability::Synced);
}

void replaceFileAtomically(const QString& path, std::initializer_list<QByteArrayView> pieces,
                           Durability durability)
{
    // Not QSaveFile: it writes through a link at the path to the link's target. A temporary
    // file of our own (created exclusively) renamed over the path replaces the link itself.
    QTemporaryFile file(joinPath(QFileInfo(path).absolutePath(), u".quillory-XXXXXX"_s));
    bool written = file.open();
    for (const QByteArrayView piece : pieces)
        written = written && file.write(piece.data(), piece.size()) == piece.size();
    written = written && file.flush() && ::fchmod(file.handle(), permissionsFor(path)) == 0 &&
              (durability == Durability::Unsynced || ::fsync(file.handle()) == 0);
    if (!written)
        throw Failure(u"Cannot write %1: %2"_s.arg(path, file.errorString()));
    if (::rename(QFile::encodeName(file.fileName()).constData(),
                 QFile::encodeName(path).constData()) != 0)
        throw Failure(u"Cannot write %1: %2"_s.arg(path, QString::fromLocal8Bit(strerror(errno))));
    file.setAutoRemove(false);
}

namespace {

// A folder under the shared temporary folder is ours only when it is a real folder (not a
// link), belongs to us and nobody else can enter it.
void claimPrivateFolder(const QString& folder)
{
    const QByteArray native = QFile::encodeName(folder);
    if (::mkdir(native.constData(), 0700) != 0 && errno != EEXIST)
        throw Failure(u"Cannot create the working folder %1."_s.arg(folder));
    struct stat status {};
    if (::lstat(native.constData(), &status) != 0 || !S_ISDIR(status.st_mode) ||
        status.st_uid != ::getuid())
        throw Failure(u"The working folder %1 is not the user's own."_s.arg(folder));
    if ((status.st_mode & 0077) != 0 && ::chmod(native.constData(), 0700) != 0)
        throw Failure(u"The working folder %1 cannot be made private."_s.arg(folder));
}

} // namespace

QString TempFolder()
{
    const QString named = qEnvironmentVariable("TEMP");
    if (!named.isEmpty())
        return named;
    const QString folder = joinPath(QDir::tempPath(), u"quillory-%1"_s.arg(::getuid()));
    claimPrivateFolder(folder);
    return folder;
}

QString joinPath(const QString& folder, const QString& fileName)
{
    return folder + QDir::separator() + fileName;
}

} // namespace quillory
