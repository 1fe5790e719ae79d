// SPDX-License-Identifier: MIT

#include "journal/journal_file.h"

#include "base/failure.h"
#include "base/file_descriptor.h"
#include "base/file_system.h"
#include "base/own_file.h"
#include "base/private_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>

#include <fcntl.h>
#include <unistd.h>

namespace quillory::journal {

using namespace Qt::StringLiterals;

namespace {

constexpr int MostSetAsideNames = 100;

std::function<void()>& writeInterruption()
{
    static std::function<void()> interruption;
    return interruption;
}

// A renamed or new name lasts a power cut only once its folder has reached the disk.
void syncFolder(const QString& folder)
{
    const FileDescriptor handle = FileDescriptor::open(folder, O_RDONLY | O_DIRECTORY);
    if (!handle.isOpen())
        throw Failure(Failure::SystemError,
                      u"Cannot open the folder %1: %2"_s.arg(folder, systemReason(errno)));
    if (::fsync(handle.get()) != 0)
        throw Failure(Failure::SystemError,
                      u"Cannot write the folder %1: %2"_s.arg(folder, systemReason(errno)));
}

// Folders made for the journal are the user's alone.
void makePrivateFolders(const QString& folder)
{
    if (!makePrivateFolder(folder))
        throw Failure(Failure::SystemError,
                      u"Cannot create the folder %1: %2"_s.arg(folder, systemReason(errno)));
}

} // namespace

FoundFile readJournalFile(const QString& path, qint64 largest)
{
    if (!statusAt(path) && errno == ENOENT)
        return {};
    try {
        const OwnFile file(path);
        if (const std::optional<struct stat> status = statusOf(file.handle());
            status && status->st_size > largest)
            return {FoundFile::Kind::Unusable,
                    {},
                    u"%1 is larger than any journal of Quillory's."_s.arg(path)};
        return {FoundFile::Kind::Read, file.readAll(), {}};
    } catch (const Failure& failure) {
        return {FoundFile::Kind::Unusable, {}, failure.description()};
    }
}

QString setAside(const QString& path)
{
    const QByteArray from = QFile::encodeName(path);
    for (int number = 1; number <= MostSetAsideNames; ++number) {
        const QString name =
            path + (number == 1 ? u".damaged"_s : u".damaged."_s + QString::number(number));
        // renameat2 with RENAME_NOREPLACE never takes a name that is already there.
        if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, QFile::encodeName(name).constData(),
                        RENAME_NOREPLACE) == 0)
            return name;
        if (errno != EEXIST)
            throw Failure(Failure::SystemError,
                          u"Cannot move %1 aside: %2"_s.arg(path, systemReason(errno)));
    }
    throw Failure(Failure::Unavailable,
                  u"Cannot move %1 aside: every name for it is taken."_s.arg(path));
}

JournalFile::JournalFile(QString path)
    : m_path(std::move(path))
    , m_syncer([this] { syncInBackground(); })
{
}

JournalFile::~JournalFile()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_changed.notify_all();
    m_syncer.join();
    close();
}

void JournalFile::close()
{
    m_file.reset();
}

void JournalFile::begin(const QByteArray& bytes)
{
    waitForDisk();
    close();
    const QString folder = QFileInfo(m_path).absolutePath();
    makePrivateFolders(folder);
    const FileIdentity written = replacePrivateFile(m_path, bytes).orRaise();
    syncFolder(folder);
    FileDescriptor file = FileDescriptor::open(m_path, O_WRONLY | O_APPEND | O_NOFOLLOW);
    if (!file.isOpen())
        throw Failure(Failure::SystemError,
                      u"Cannot open %1: %2"_s.arg(m_path, systemReason(errno)));
    if (file.identity() != written)
        throw Failure(Failure::NotOwnFile,
                      u"%1 was replaced while Quillory wrote it."_s.arg(m_path));
    m_file = std::move(file);
    m_size = bytes.size();
}

void JournalFile::append(const QByteArray& bytes)
{
    waitForDisk();
    int syncError = 0;
    {
        const std::lock_guard lock(m_mutex);
        syncError = std::exchange(m_syncError, 0);
    }
    if (!m_file.isOpen())
        throw Failure(Failure::InvalidState, u"%1 is not open for writing."_s.arg(m_path));
    if (syncError != 0) {
        close();
        throw Failure(Failure::SystemError,
                      u"Cannot write %1: %2"_s.arg(m_path, systemReason(syncError)));
    }
    const qsizetype firstHalf = writeInterruption() ? bytes.size() / 2 : bytes.size();
    bool written = writeAllTo(m_file.get(), QByteArrayView(bytes).first(firstHalf));
    if (written && firstHalf < bytes.size()) {
        writeInterruption()();
        written = writeAllTo(m_file.get(), QByteArrayView(bytes).sliced(firstHalf));
    }
    if (!written) {
        const int error = errno;
        // A record cut short would stand before the next one: the file goes back to its end.
        if (::ftruncate(m_file.get(), m_size) != 0)
            close();
        throw Failure(Failure::SystemError,
                      u"Cannot write %1: %2"_s.arg(m_path, systemReason(error)));
    }
    m_size += bytes.size();
    {
        const std::lock_guard lock(m_mutex);
        m_syncDue = true;
    }
    m_changed.notify_all();
}

void JournalFile::waitForDisk()
{
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return !m_syncDue; });
}

void JournalFile::syncInBackground()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return m_syncDue || m_stopping; });
        if (!m_syncDue)
            return;
        const int handle = m_file.get();
        lock.unlock();
        const int error = ::fdatasync(handle) == 0 ? 0 : errno;
        lock.lock();
        if (error != 0)
            m_syncError = error;
        m_syncDue = false;
        m_changed.notify_all();
    }
}

void JournalFile::setWriteInterruptionForTests(std::function<void()> interruption)
{
    writeInterruption() = std::move(interruption);
}

} // namespace quillory::journal
