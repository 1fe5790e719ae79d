// SPDX-License-Identifier: MIT

#pragma once

#include "base/file_layer.h"

#include <atomic>

namespace quillory::test {

/// A file layer that fails or slows down chosen calls, as a full, broken or slow disk would:
/// the writers under test take it in place of the system's. Thread-safe: writers call it from
/// their own threads.
class FaultyFileLayer final : public FileLayer {
public:
    /// Writes fail with this error (ENOSPC: a full disk) once this many more bytes were written;
    /// the write that crosses the limit writes what fits, as a nearly full disk does. -1: never.
    mutable std::atomic<qint64> bytesLeft{-1};
    /// The error failing writes give.
    std::atomic<int> writeError{28}; // ENOSPC
    /// Syncs (fsync, fdatasync, the folder's) fail with this error; 0: they succeed.
    std::atomic<int> syncError{0};
    /// Renames fail with this error; 0: they succeed.
    std::atomic<int> renameError{0};
    /// How long every sync and rename takes, as on a slow disk.
    std::atomic<int> delayMs{0};
    /// How many syncs were asked for.
    mutable std::atomic<int> syncs{0};

    bool writeAll(int handle, QByteArrayView bytes) const override;
    bool sync(int handle) const override;
    bool syncData(int handle) const override;
    bool rename(const QString& from, const QString& to) const override;

private:
    bool failOr(int error) const;
};

} // namespace quillory::test
