// SPDX-License-Identifier: MIT

#pragma once

#include "base/file_descriptor.h"

#include <QByteArray>
#include <QString>

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace quillory::journal {

/// What stands at the journal's name.
struct FoundFile {
    enum class Kind {
        None,     ///< nothing
        Read,     ///< a file of the user's own, read whole into `bytes`
        Unusable, ///< something else (a link, a folder, a pipe, another's file, too large,
                  ///< unreadable)
    };
    Kind kind = Kind::None;
    QByteArray bytes;
    /// Why it is unusable, in the system's words where it has any.
    QString problem;
};

/// Reads the journal at the path without following a link or waiting on a pipe; a file larger
/// than `largest` bytes is not read.
FoundFile readJournalFile(const QString& path, qint64 largest);

/// Moves whatever stands at the path aside, to "<path>.damaged" (or ".damaged.2" and on,
/// never over anything), and returns the new name. Throws Failure when it cannot.
QString setAside(const QString& path);

/// The journal file as the program writes it: begun whole, then appended to. Each append
/// reaches the disk (fdatasync) in the background; the next append waits for it first, so the
/// journal on disk is never more than one append behind the one in memory.
class JournalFile {
public:
    explicit JournalFile(QString path);
    ~JournalFile();
    JournalFile(const JournalFile&) = delete;
    JournalFile& operator=(const JournalFile&) = delete;

    /// Replaces the file by these bytes at once (a private file, synced with its folder) and
    /// appends to it from now on. Throws Failure with the system's reason when it cannot.
    void begin(const QByteArray& bytes);
    /// Appends the bytes. Throws Failure with the system's reason when they cannot be written
    /// (the file is then cut back to its earlier end) or the last append did not reach the disk.
    void append(const QByteArray& bytes);
    /// Waits until every append has reached the disk.
    void waitForDisk();
    /// The file's size as written.
    qint64 size() const { return m_size; }
    /// Whether the file can be appended to (begun, and no append has failed since).
    bool isOpen() const { return m_file.isOpen(); }

    /// Runs between the two halves of every append, for tests that end the program mid-write.
    static void setWriteInterruptionForTests(std::function<void()> interruption);

private:
    void syncInBackground();
    void close();

    QString m_path;
    FileDescriptor m_file;
    qint64 m_size = 0;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_syncDue = false;
    bool m_stopping = false;
    int m_syncError = 0;
    std::thread m_syncer;
};

} // namespace quillory::journal
