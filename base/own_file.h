// SPDX-License-Identifier: MIT

#pragma once

#include <QString>
#include <QtGlobal>

#include <functional>
#include <optional>

namespace quillory {

/// Which file a name led to: its device and inode. Kept from a write, it recognises that very
/// file later, whatever lies under the name by then.
struct FileIdentity {
    quint64 device = 0;
    quint64 inode = 0;

    friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

/// A file the program wrote: where it lies and which file it is.
struct WrittenFile {
    QString path;
    FileIdentity identity;
};

/// Decides whether a file with this owner (a user id) is the user's own. The identity lets
/// tests treat one particular file as someone else's.
using OwnerCheck = std::function<bool(uint ownerId, const FileIdentity& file)>;

/// Replaces the owner check; the default compares with the real user id, and an empty check
/// restores it.
void setOwnerCheck(OwnerCheck check);

/// Whether a file or folder with this owner and identity is the user's own.
bool isUsersOwn(uint ownerId, const FileIdentity& file);

/// A file of the user's own, opened read-only without following a link at its name: a plain
/// file that belongs to the user and has no second name (a hard link can be someone's way to
/// a private file). The checks look at the opened file, not at the name.
class OwnFile {
public:
    /// Opens and checks the file; throws Failure saying what is wrong with it.
    explicit OwnFile(const QString& path);
    ~OwnFile();
    OwnFile(const OwnFile&) = delete;
    OwnFile& operator=(const OwnFile&) = delete;

    /// The name the file was opened by; it may lead elsewhere by now.
    const QString& path() const { return m_path; }
    /// A path that reaches the opened file itself, whatever becomes of its name.
    QString openedPath() const;
    /// The whole file from its start, read through the descriptor, never by its name. Throws
    /// Failure with the system's reason when it cannot be read.
    QByteArray readAll() const;
    /// The opened file's identity.
    FileIdentity identity() const { return m_identity; }
    /// The open file descriptor (read-only), owned by this object.
    int handle() const { return m_handle; }

private:
    QString m_path;
    int m_handle = -1;
    FileIdentity m_identity;
};

/// The identity of the file or link at the path itself (links not followed); nothing when
/// there is none.
std::optional<FileIdentity> identityAt(const QString& path);

/// Deletes the file at the path only when it is still the one with this identity; every
/// failure is ignored.
void deleteIfSameFile(const QString& path, const FileIdentity& identity);

} // namespace quillory
