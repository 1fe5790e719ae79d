// SPDX-License-Identifier: MIT

#pragma once

#include <QByteArrayView>
#include <QString>

namespace quillory {

/// The system calls through which the program's durable writers (the settings file, the
/// journal, saved files) reach the disk. The program uses system(); tests hand the writers a
/// layer of their own that fails or slows down chosen calls, as a full or slow disk would.
/// Each call returns false with errno set when it fails.
class FileLayer {
public:
    virtual ~FileLayer() = default;

    /// Writes all the bytes at the descriptor's position, going on after a short write.
    virtual bool writeAll(int handle, QByteArrayView bytes) const;
    /// Waits until the file and its status have reached the disk (fsync).
    virtual bool sync(int handle) const;
    /// Waits until the file's content has reached the disk (fdatasync).
    virtual bool syncData(int handle) const;
    /// Renames `from` over `to` in one step.
    virtual bool rename(const QString& from, const QString& to) const;
    /// Cuts the file back to `size` bytes.
    virtual bool truncate(int handle, qint64 size) const;

    /// Makes a renamed or new name in the folder last a power cut: syncs the folder itself.
    bool syncFolder(const QString& folder) const;

    /// The real system's calls.
    static const FileLayer& system();
};

} // namespace quillory
