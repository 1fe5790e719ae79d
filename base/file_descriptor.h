// SPDX-License-Identifier: MIT

#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QtGlobal>

#include <functional>
#include <memory>
#include <optional>
#include <utility>

#include <sys/stat.h>

namespace quillory {

/// The system's own words for an error number ("No space left on device").
QString systemReason(int error);

/// Which file a name led to: its device and inode. Kept from a write, it recognises that very
/// file later, whatever lies under the name by then.
struct FileIdentity {
    quint64 device = 0;
    quint64 inode = 0;

    /// The identity a file's status names.
    static FileIdentity of(const struct stat& status)
    {
        return {quint64(status.st_dev), quint64(status.st_ino)};
    }
    friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

/// Which file in which state: its identity, size and modification time. A file rewritten in
/// place, even with the same bytes, has another stamp.
struct FileStamp {
    FileIdentity identity;
    qint64 size = 0;
    qint64 modifiedNs = 0; ///< nanoseconds since the epoch

    /// The stamp a file's status names.
    static FileStamp of(const struct stat& status)
    {
        return {FileIdentity::of(status), qint64(status.st_size),
                qint64(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec};
    }
    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

/// An open file descriptor that closes itself when its owner goes; it moves, it is never copied.
class FileDescriptor {
public:
    /// No descriptor.
    FileDescriptor() = default;
    /// Takes over an open descriptor; -1 is none.
    explicit FileDescriptor(int handle)
        : m_handle(handle)
    {
    }
    ~FileDescriptor() { reset(); }
    FileDescriptor(FileDescriptor&& other) noexcept
        : m_handle(other.release())
    {
    }
    FileDescriptor& operator=(FileDescriptor&& other) noexcept;
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    /// Opens the path as open(2) does with these flags, never inherited by a child process;
    /// none, with errno set, when it cannot.
    static FileDescriptor open(const QString& path, int flags, mode_t mode = 0);

    /// Whether it holds a descriptor.
    bool isOpen() const { return m_handle >= 0; }
    /// The descriptor itself, still owned by this object; -1 when there is none.
    int get() const { return m_handle; }
    /// Closes the descriptor now.
    void reset();
    /// Gives the descriptor up without closing it: the caller closes it.
    int release() { return std::exchange(m_handle, -1); }

    /// The open file's status; nothing, with errno set, when it cannot be read.
    std::optional<struct stat> status() const;
    /// The open file's identity; nothing, with errno set, when its status cannot be read.
    std::optional<FileIdentity> identity() const;
    /// Up to `limit` bytes from the file's start, read without moving the descriptor's position;
    /// nothing, with errno set, when they cannot be read.
    std::optional<QByteArray> readFromStart(qsizetype limit) const { return readAt(0, limit); }
    /// Up to `limit` bytes from `offset` on, read without moving the descriptor's position;
    /// nothing, with errno set, when they cannot be read.
    std::optional<QByteArray> readAt(qint64 offset, qsizetype limit) const;

private:
    int m_handle = -1;
};

/// A private, copy-on-write mapping of a whole file: it outlives the descriptor and the file's
/// deletion, and only the pages that are read are ever loaded. Unmapped when it goes.
class FileMapping {
public:
    /// Maps the whole regular file open at `file`, readable and privately writable; none, with
    /// errno set where the system refused, when it is empty, not a regular file or cannot be
    /// mapped.
    static std::unique_ptr<FileMapping> map(const FileDescriptor& file);
    ~FileMapping();
    FileMapping(const FileMapping&) = delete;
    FileMapping& operator=(const FileMapping&) = delete;

    /// The mapped bytes, changeable without changing the file.
    char* data() const { return m_data; }
    /// How many bytes are mapped.
    qint64 size() const { return m_size; }
    /// The mapped bytes, to read.
    QByteArrayView view() const { return {m_data, m_size}; }

private:
    FileMapping(char* data, qint64 size)
        : m_data(data)
        , m_size(size)
    {
    }

    char* m_data;
    qint64 m_size;
};

/// Writes all the bytes at the position of a descriptor owned elsewhere (a QFile's handle), going
/// on after a short write; false, with errno set, when the system refuses (a full disk).
bool writeAllTo(int handle, QByteArrayView bytes);

/// The status of the file open at a descriptor owned elsewhere (a QFile's handle); nothing,
/// with errno set, when it cannot be read.
std::optional<struct stat> statusOf(int handle);

/// Whether a path's last part is followed when it is a link.
enum class Links { NotFollowed, Followed };

/// The status of what stands at the path; nothing when nothing does or it cannot be examined.
std::optional<struct stat> statusAt(const QString& path, Links links = Links::NotFollowed);

/// The identity of the file or link at the path itself (links not followed); nothing when
/// there is none.
std::optional<FileIdentity> identityAt(const QString& path);

/// Decides whether a file with this owner (a user id) is the user's own. The identity lets
/// tests treat one particular file as someone else's.
using OwnerCheck = std::function<bool(uint ownerId, const FileIdentity& file)>;

/// Replaces the owner check; the default compares with the real user id, and an empty check
/// restores it.
void setOwnerCheck(OwnerCheck check);

/// Whether a file or folder with this owner and identity is the user's own.
bool isUsersOwn(uint ownerId, const FileIdentity& file);

/// What keeps a file with this status from being a plain file of the user's own with no second
/// name (a hard link can be someone's way to a private file), in words that follow its name
/// ("is not a plain file"); empty when nothing does.
QString ownFileFlaw(const struct stat& status);

/// Whether the path is a private folder: a real folder (not a link), the user's own, closed to
/// group and others.
bool isPrivateFolder(const QString& path);

} // namespace quillory
