// SPDX-License-Identifier: MIT

#include "journal/journal_writer.h"

#include "base/file_system.h"
#include "base/private_files.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

namespace quillory::journal {

using namespace Qt::StringLiterals;

namespace {

// How many random names a new file may try before it gives up.
constexpr int NameAttempts = 16;

} // namespace

JournalWriter::JournalWriter(QString path, const FileLayer& layer,
                             std::function<void(const Problem&)> failed)
    : m_path(std::move(path))
    , m_layer(layer)
    , m_failed(std::move(failed))
    , m_worker([this] { workInBackground(); })
{
}

JournalWriter::~JournalWriter()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_changed.notify_all();
    m_worker.join();
}

Problem JournalWriter::problem(const QString& what, int error) const
{
    return Problem{Failure::SystemError,
                   u"Cannot %1 %2: %3"_s.arg(what, m_path, systemReason(error)),
                   systemReason(error)};
}

Outcome JournalWriter::begin(const QByteArray& bytes)
{
    const QString folder = QFileInfo(m_path).absolutePath();
    // Folders made for the journal are the user's alone.
    if (!makePrivateFolder(folder))
        return problem(u"create the folder of"_s, errno);
    FileDescriptor next;
    QString nextPath;
    for (int attempt = 0; attempt < NameAttempts && !next.isOpen(); ++attempt) {
        nextPath =
            m_path + u".new-"_s + QString::number(QRandomGenerator::global()->generate(), 36);
        next = createPrivateFile(nextPath);
    }
    if (!next.isOpen())
        return problem(u"begin"_s, errno);
    if (!m_layer.writeAll(next.get(), bytes)) {
        const int error = errno;
        QFile::remove(nextPath);
        return problem(u"write"_s, error);
    }
    std::unique_lock lock(m_mutex);
    // A new file still taking its place goes first.
    m_changed.wait(lock, [this] { return !m_next.isOpen(); });
    m_next = std::move(next);
    m_nextPath = nextPath;
    m_nextSize = bytes.size();
    m_broken = false;
    lock.unlock();
    m_changed.notify_all();
    return {};
}

bool JournalWriter::appendTo(FileDescriptor& file, qint64& size, const QByteArray& bytes)
{
    if (m_layer.writeAll(file.get(), bytes)) {
        size += bytes.size();
        return true;
    }
    // A record cut short would stand before the next one: the file goes back to its end.
    const int error = errno;
    (void)m_layer.truncate(file.get(), size);
    errno = error;
    return false;
}

Outcome JournalWriter::append(const QByteArray& bytes)
{
    std::unique_lock lock(m_mutex);
    if (m_broken)
        return Problem{Failure::InvalidState, u"%1 is not open for writing."_s.arg(m_path)};
    // Until the new file has taken the journal's place, the old one holds every append too.
    const bool replacing = m_next.isOpen();
    if (replacing && !appendTo(m_next, m_nextSize, bytes)) {
        m_broken = true;
        return problem(u"write"_s, errno);
    }
    if (m_file.isOpen() && !appendTo(m_file, m_fileSize, bytes)) {
        const int error = errno;
        m_file.reset();
        if (!replacing) {
            m_broken = true;
            return problem(u"write"_s, error);
        }
    }
    m_syncDue = true;
    lock.unlock();
    m_changed.notify_all();
    return {};
}

Outcome JournalWriter::waitForDisk()
{
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return !m_syncDue && !m_next.isOpen() && !m_working; });
    if (const std::optional<Problem> failure = std::exchange(m_failure, std::nullopt))
        return *failure;
    return {};
}

qint64 JournalWriter::size() const
{
    const std::lock_guard lock(m_mutex);
    return m_next.isOpen() ? m_nextSize : m_fileSize;
}

bool JournalWriter::isOpen() const
{
    const std::lock_guard lock(m_mutex);
    return !m_broken;
}

void JournalWriter::workInBackground()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return m_next.isOpen() || m_syncDue || m_stopping; });
        if (m_next.isOpen())
            replaceInBackground(lock);
        else if (m_syncDue)
            syncInBackground(lock);
        else
            return;
        m_changed.notify_all();
    }
}

void JournalWriter::syncInBackground(std::unique_lock<std::mutex>& lock)
{
    m_syncDue = false;
    m_working = true;
    const int handle = m_file.get();
    lock.unlock();
    const bool synced = handle < 0 || m_layer.syncData(handle);
    const int error = errno;
    lock.lock();
    m_working = false;
    if (!synced)
        fail(lock, problem(u"write"_s, error));
}

// The new file is synced, renamed over the journal and the folder synced, while appends go on
// into both files; then the new file is the one appended to.
void JournalWriter::replaceInBackground(std::unique_lock<std::mutex>& lock)
{
    const int handle = m_next.get();
    const QString nextPath = m_nextPath;
    m_working = true;
    lock.unlock();
    const bool synced = m_layer.sync(handle);
    int error = synced ? 0 : errno;
    const bool renamed = synced && m_layer.rename(nextPath, m_path);
    if (synced && !renamed)
        error = errno;
    // In place, but its name may not last a power cut: said, and used all the same.
    if (renamed && !m_layer.syncFolder(QFileInfo(m_path).absolutePath()))
        error = errno;
    lock.lock();
    m_working = false;
    if (!renamed) {
        QFile::remove(nextPath);
        m_next.reset();
        m_broken = !m_file.isOpen();
        fail(lock, problem(u"begin"_s, error));
        return;
    }
    m_file = std::move(m_next);
    m_fileSize = m_nextSize;
    // What was appended meanwhile reaches the disk with the next sync.
    m_syncDue = true;
    if (error != 0)
        fail(lock, problem(u"begin"_s, error));
}

void JournalWriter::fail(std::unique_lock<std::mutex>& lock, const Problem& problem)
{
    m_failure = problem;
    if (!m_failed)
        return;
    lock.unlock();
    m_failed(problem);
    lock.lock();
}

} // namespace quillory::journal
