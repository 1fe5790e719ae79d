// SPDX-License-Identifier: MIT

#include "base/file_descriptor.h"

#include <QFile>

#include <cerrno>

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

namespace quillory {

using namespace Qt::StringLiterals;

namespace {

OwnerCheck& ownerCheck()
{
    static OwnerCheck check;
    return check;
}

} // namespace

QString systemReason(int error)
{
    return qt_error_string(error);
}

FileDescriptor& FileDescriptor::operator=(FileDescriptor&& other) noexcept
{
    if (this != &other) {
        reset();
        m_handle = other.release();
    }
    return *this;
}

FileDescriptor FileDescriptor::open(const QString& path, int flags, mode_t mode)
{
    return FileDescriptor(::open(QFile::encodeName(path).constData(), flags | O_CLOEXEC, mode));
}

void FileDescriptor::reset()
{
    if (m_handle >= 0)
        ::close(std::exchange(m_handle, -1));
}

std::optional<struct stat> FileDescriptor::status() const
{
    return statusOf(m_handle);
}

std::optional<FileIdentity> FileDescriptor::identity() const
{
    const std::optional<struct stat> found = status();
    return found ? std::optional(FileIdentity::of(*found)) : std::nullopt;
}

std::optional<QByteArray> FileDescriptor::readAt(qint64 offset, qsizetype limit) const
{
    QByteArray bytes(limit, Qt::Uninitialized);
    qsizetype done = 0;
    while (done < bytes.size()) {
        // pread: the descriptor's own position stays where it was, whoever else reads it.
        const ssize_t read =
            ::pread(m_handle, bytes.data() + done, size_t(limit - done), offset + done);
        if (read < 0 && errno == EINTR)
            continue;
        if (read < 0)
            return std::nullopt;
        if (read == 0)
            break;
        done += read;
    }
    bytes.truncate(done);
    return bytes;
}

std::unique_ptr<FileMapping> FileMapping::map(const FileDescriptor& file)
{
    const std::optional<struct stat> status = file.status();
    if (!status || !S_ISREG(status->st_mode) || status->st_size <= 0)
        return nullptr;
    void* data = ::mmap(nullptr, size_t(status->st_size), PROT_READ | PROT_WRITE, MAP_PRIVATE,
                        file.get(), 0);
    if (data == MAP_FAILED)
        return nullptr;
    return std::unique_ptr<FileMapping>(new FileMapping(static_cast<char*>(data), status->st_size));
}

FileMapping::~FileMapping()
{
    ::munmap(m_data, size_t(m_size));
}

bool writeAllTo(int handle, QByteArrayView bytes)
{
    const char* data = bytes.data();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(handle, data, size_t(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            return false;
        data += written;
        left -= written;
    }
    return true;
}

std::optional<struct stat> statusOf(int handle)
{
    struct stat status {};
    if (::fstat(handle, &status) != 0)
        return std::nullopt;
    return status;
}

std::optional<struct stat> statusAt(const QString& path, Links links)
{
    if (path.isEmpty())
        return std::nullopt;
    const QByteArray name = QFile::encodeName(path);
    struct stat status {};
    const int result = links == Links::Followed ? ::stat(name.constData(), &status)
                                                : ::lstat(name.constData(), &status);
    return result == 0 ? std::optional(status) : std::nullopt;
}

std::optional<FileIdentity> identityAt(const QString& path)
{
    const std::optional<struct stat> status = statusAt(path);
    return status ? std::optional(FileIdentity::of(*status)) : std::nullopt;
}

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

QString ownFileFlaw(const struct stat& status)
{
    if (!S_ISREG(status.st_mode))
        return u"is not a plain file"_s;
    if (!isUsersOwn(status.st_uid, FileIdentity::of(status)))
        return u"belongs to another user"_s;
    if (status.st_nlink != 1)
        return u"has another name (a hard link)"_s;
    return {};
}

bool isPrivateFolder(const QString& path)
{
    const std::optional<struct stat> status = statusAt(path);
    return status && S_ISDIR(status->st_mode) && (status->st_mode & 0077) == 0 &&
           isUsersOwn(status->st_uid, FileIdentity::of(*status));
}

} // namespace quillory
