// SPDX-License-Identifier: MIT

#include "journal/journal_file.h"

#include "base/failure.h"
#include "base/file_system.h"
#include "base/own_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>

#include <fcntl.h>
#include <sys/stat.h>
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

QString reason(int error)
{
    return qt_error_string(error);
}

bool writeWhole(int handle, const char* data, qsizetype size)
{
    while (size > 0) {
        const ssize_t written = ::write(handle, data, size_t(size));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        data += written;
        size -= written;
    }
    return true;
}

// A renamed or new name lasts a power cut only once its folder has reached the disk.
void syncFolder(const QString& folder)
{
    const int handle =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (handle < 0)
        throw Failure(Failure::SystemError,
                      u"Cannot open the folder %1: %2"_s.arg(folder, reason(errno)));
    const int failed = ::fsync(handle) != 0 ? errno : 0;
    ::close(handle);
    if (failed)
        throw Failure(Failure::SystemError,
                      u"Cannot write the folder %1: %2"_s.arg(folder, reason(failed)));
}

} // namespace

FoundFile readJournalFile(const QString& path, qint64 largest)
{
    struct stat status {};
    if (::lstat(QFile::encodeName(path).constData(), &status) != 0 && errno == ENOENT)
        return {};
    try {
        const OwnFile file(path);
        if (::fstat(file.handle(), &status) == 0 && status.st_size > largest)
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
                          u"Cannot move %1 aside: %2"_s.arg(path, reason(errno)));
    }
    throw Failure(Failure::Unavailable,
                  u"Cannot move %1 aside: every name for it is taken."_s.arg(path));
}

void makePrivateFolders(const QString& folder)
{
    const QString absolute = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    QString reached;
    for (const QString& part : absolute.split(u'/', Qt::SkipEmptyParts)) {
        reached += u'/' + part;
        if (::mkdir(QFile::encodeName(reached).constData(), 0700) != 0 && errno != EEXIST)
            throw Failure(Failure::SystemError,
                          u"Cannot create the folder %1: %2"_s.arg(reached, reason(errno)));
    }
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
    if (m_handle >= 0)
        ::close(m_handle);
    m_handle = -1;
}

void JournalFile::begin(const QByteArray& bytes)
{
    waitForDisk();
    close();
    const QString folder = QFileInfo(m_path).absolutePath();
    makePrivateFolders(folder);
    const FileIdentity written = replacePrivateFile(m_path, bytes);
    syncFolder(folder);
    const int handle =
        ::open(QFile::encodeName(m_path).constData(), O_WRONLY | O_APPEND | O_NOFOLLOW | O_CLOEXEC);
    if (handle < 0)
        throw Failure(Failure::SystemError, u"Cannot open %1: %2"_s.arg(m_path, reason(errno)));
    struct stat status {};
    if (::fstat(handle, &status) != 0 || status.st_ino != written.inode ||
        status.st_dev != written.device) {
        ::close(handle);
        throw Failure(Failure::NotOwnFile,
                      u"%1 was replaced while Quillory wrote it."_s.arg(m_path));
    }
    m_handle = handle;
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
    if (m_handle < 0)
        throw Failure(Failure::InvalidState, u"%1 is not open for writing."_s.arg(m_path));
    if (syncError != 0) {
        close();
        throw Failure(Failure::SystemError,
                      u"Cannot write %1: %2"_s.arg(m_path, reason(syncError)));
    }
    const qsizetype firstHalf = writeInterruption() ? bytes.size() / 2 : bytes.size();
    bool written = writeWhole(m_handle, bytes.constData(), firstHalf);
    if (written && firstHalf < bytes.size()) {
        writeInterruption()();
        written = writeWhole(m_handle, bytes.constData() + firstHalf, bytes.size() - firstHalf);
    }
    if (!written) {
        const int error = errno;
        // A record cut short would stand before the next one: the file goes back to its end.
        if (::ftruncate(m_handle, m_size) != 0)
            close();
        throw Failure(Failure::SystemError, u"Cannot write %1: %2"_s.arg(m_path, reason(error)));
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
        const int handle = m_handle;
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
