// SPDX-License-Identifier: MIT

#pragma once

#include "base/file_descriptor.h"
#include "base/file_layer.h"
#include "base/result.h"

#include <QByteArray>
#include <QString>

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace quillory::journal {

/// The journal file as the program writes it, without ever making the user wait on the disk.
/// An append is written at once (a kill loses nothing the system was handed) and reaches the
/// disk in the background. Beginning the file anew writes the new file's content at once to a
/// private file beside it, and syncs it, renames it over the journal and syncs the folder in the
/// background; appends made meanwhile go to both files, so the journal at the path always holds
/// every append, whichever file stands there. Failures of the background work are handed to the
/// failure callback, on the writing thread.
class JournalWriter {
public:
    /// Writes the journal at the path through the layer.
    JournalWriter(QString path, const FileLayer& layer,
                  std::function<void(const Problem&)> failed = {});
    /// Waits for the background work.
    ~JournalWriter();
    JournalWriter(const JournalWriter&) = delete;
    JournalWriter& operator=(const JournalWriter&) = delete;

    /// Begins the file anew with these bytes; appends follow them from now on. Fails when the
    /// new file cannot even be written (the old journal then stays in use where it is open).
    Outcome begin(const QByteArray& bytes);
    /// Appends the bytes. Fails when they cannot be written (the file is then cut back to its
    /// earlier end, and appends fail until the next begin).
    Outcome append(const QByteArray& bytes);
    /// Waits until everything written so far has reached the disk; fails when some of it did
    /// not since the last wait.
    Outcome waitForDisk();
    /// The journal's size once everything written has reached it.
    qint64 size() const;
    /// Whether appends can be made: begun, and none has failed since.
    bool isOpen() const;

private:
    void workInBackground();
    void syncInBackground(std::unique_lock<std::mutex>& lock);
    void replaceInBackground(std::unique_lock<std::mutex>& lock);
    bool appendTo(FileDescriptor& file, qint64& size, const QByteArray& bytes);
    Problem problem(const QString& what, int error) const;
    void fail(std::unique_lock<std::mutex>& lock, const Problem& problem);

    QString m_path;
    const FileLayer& m_layer;
    std::function<void(const Problem&)> m_failed;

    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    FileDescriptor m_file; // the journal appended to
    qint64 m_fileSize = 0;
    FileDescriptor m_next; // the new file while it takes the journal's place
    qint64 m_nextSize = 0;
    QString m_nextPath; // its private name until then
    bool m_broken = true;
    bool m_syncDue = false;
    bool m_working = false;
    bool m_stopping = false;
    std::optional<Problem> m_failure; // of the background work, since the last wait
    std::thread m_worker;
};

} // namespace quillory::journal
