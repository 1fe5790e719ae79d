// SPDX-License-Identifier: MIT

#include "base/own_file.h"

#include "base/failure.h"

#include <QFile>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quillory {

using namespace Qt::StringLiterals;

namespace {

OwnerCheck& ownerCheck()
{
    static OwnerCheck check;
    return check;
}

FileIdentity identityOf(const struct stat& status)
{
    return {quint64(status.st_dev), quint64(status.st_ino)};
}

QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// What keeps an opened file from counting as the user's own; empty when nothing does.
QString flawOf(const struct stat& status)
{
    if (!S_ISREG(status.st_mode))
        return u"is not a plain file"_s;
    if (!isUsersOwn(status.st_uid, identityOf(status)))
        return u"belongs to another user"_s;
    if (status.st_nlink != 1)
        return u"has another name (a hard link)"_s;
    return {};
}

} // namespace

void setOwnerCheck(OwnerCheck check)
{
    ownerCheck() = std::move(check);
}

bool isUsersOwn(uint ownerId, const FileIdentity& file)
{
    if (ownerCheck())
        return ownerCheck()(ownerId, file);
    return ownerId == ::getuid();
}

OwnFile::OwnFile(const QString& path)
    : m_path(path)
{
    // O_NONBLOCK: a planted pipe must not hang the open; it fails the plain-file check below.
    m_handle =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (m_handle < 0) {
        const int error = errno;
        if (error == ELOOP)
            throw Failure(Failure::NotOwnFile,
                          u"%1 is a link; only a file of your own is used."_s.arg(path));
        throw Failure(Failure::SystemError, u"Cannot open %1: %2"_s.arg(path, systemReason(error)));
    }
    struct stat status {};
    const QString flaw = ::fstat(m_handle, &status) == 0
                             ? flawOf(status)
                             : u"cannot be examined (%1)"_s.arg(systemReason(errno));
    if (!flaw.isEmpty()) {
        ::close(m_handle);
        throw Failure(Failure::NotOwnFile,
                      u"%1 %2; only a file of your own is used."_s.arg(path, flaw));
    }
    m_identity = identityOf(status);
}

OwnFile::~OwnFile()
{
    ::close(m_handle);
}

QString OwnFile::openedPath() const
{
    // Opening this path opens the file behind the descriptor, not whatever the name holds now.
    return u"/proc/self/fd/%1"_s.arg(m_handle);
}

QByteArray OwnFile::readAll() const
{
    struct stat status {};
    if (::fstat(m_handle, &status) != 0)
        throw Failure(Failure::SystemError,
                      u"Cannot read %1: %2"_s.arg(m_path, systemReason(errno)));
    QByteArray bytes(qsizetype(status.st_size), Qt::Uninitialized);
    qsizetype done = 0;
    while (done < bytes.size()) {
        // pread: the descriptor's own position stays where it was, whoever else reads it.
        const ssize_t read =
            ::pread(m_handle, bytes.data() + done, size_t(bytes.size() - done), done);
        if (read < 0 && errno == EINTR)
            continue;
        if (read < 0)
            throw Failure(Failure::SystemError,
                          u"Cannot read %1: %2"_s.arg(m_path, systemReason(errno)));
        if (read == 0)
            break;
        done += read;
    }
    bytes.truncate(done);
    return bytes;
}

std::optional<FileIdentity> identityAt(const QString& path)
{
    struct stat status {};
    if (path.isEmpty() || ::lstat(QFile::encodeName(path).constData(), &status) != 0)
        return std::nullopt;
    return identityOf(status);
}

void deleteIfSameFile(const QString& path, const FileIdentity& identity)
{
    if (identityAt(path) == identity)
        QFile::remove(path);
}

} // namespace quillory
