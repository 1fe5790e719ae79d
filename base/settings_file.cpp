// SPDX-License-Identifier: MIT

#include "base/settings_file.h"

#include "base/file_system.h"
#include "base/private_files.h"
#include "base/settings_write_lock.h"

#include <QFile>
#include <QFileInfo>
#include <QLockFile>

#include <algorithm>

#include <fcntl.h>

namespace quillory {

using namespace Qt::StringLiterals;

namespace {

// How long a write waits for a lock that someone else holds before it counts as failed.
constexpr int WriteLockWaitMs = 500;
// About what Qt writes into a lock file: its holder's process id, name and host.
constexpr qint64 LockFileSize = 64;
// No settings file of ours comes near this; a larger one is not read.
constexpr qsizetype LargestFile = qsizetype(1) << 30;

// Whether something other than a plain file (or a link to one) stands at the name: a pipe
// would never answer.
bool isNoFile(const QString& path)
{
    const std::optional<struct stat> status = statusAt(path, Links::Followed);
    return status && !S_ISREG(status->st_mode);
}

bool isAllText(const QSettings::SettingsMap& values)
{
    return std::all_of(values.cbegin(), values.cend(),
                       [](const QVariant& value) { return value.typeId() == QMetaType::QString; });
}

// The copies kept beside the file: "<name>.damaged", then "<name>.damaged.2" and on.
QString copyName(const QString& path, int number)
{
    const QString first = path + u".damaged"_s;
    return number == 1 ? first : first + u'.' + QString::number(number);
}

bool holds(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.size() == bytes.size() && file.open(QIODevice::ReadOnly) && file.readAll() == bytes;
}

// Keeps the bytes beside the file under a name no earlier copy has taken, unless one of those
// copies holds the same bytes already.
bool keepCopy(const QString& path, const QByteArray& bytes)
{
    int number = 1;
    for (;
         QFileInfo::exists(copyName(path, number)) || QFileInfo(copyName(path, number)).isSymLink();
         ++number) {
        if (holds(copyName(path, number), bytes))
            return true;
    }
    QFile copy(copyName(path, number));
    return copy.open(QIODevice::WriteOnly | QIODevice::NewOnly,
                     QFile::ReadOwner | QFile::WriteOwner) &&
           copy.write(bytes) == bytes.size() && copy.flush();
}

Outcome outcomeOf(const Result<FileIdentity>& result)
{
    return result ? Outcome() : Outcome(result.problem());
}

Problem notWritten(const QString& path, const QString& reason)
{
    QString text = u"The settings file %1 could not be written."_s.arg(path);
    if (!reason.isEmpty())
        text.insert(text.size() - 1, u": "_s + reason);
    return Problem{Failure::SystemError, text, reason};
}

} // namespace

SettingsFile::SettingsFile(QString path, const FileLayer& layer)
    : m_path(std::move(path))
    , m_layer(layer)
{
}

SettingsContent SettingsFile::read() const
{
    if (isNoFile(m_path))
        return {};
    const FileDescriptor file = FileDescriptor::open(m_path, O_RDONLY | O_NONBLOCK);
    const std::optional<struct stat> status = file.status();
    std::optional<QByteArray> bytes = file.readFromStart(LargestFile);
    if (!status || !bytes)
        return {};
    SettingsContent content{readIni(*bytes), std::move(*bytes), FileStamp::of(*status), false};
    // Qt's format reads some hand-edited files as other values than they seem to hold (a stray
    // quote, a byte order mark, a comma that makes a list): such a file is kept as a damaged
    // one is, before the program writes over it.
    content.keepBeforeWriting = content.ini.damaged || !isAllText(content.ini.values) ||
                                writeIni(content.ini.values) != content.bytes;
    return content;
}

const SettingsContent& SettingsFile::current()
{
    // A file that is not there is read again too: it may have come meanwhile.
    const std::optional<struct stat> status = statusAt(m_path, Links::Followed);
    const bool unchanged =
        m_known && status && m_known->stamp && *m_known->stamp == FileStamp::of(*status);
    if (!unchanged)
        m_known = read();
    return *m_known;
}

Outcome SettingsFile::write(const SettingTexts& texts)
{
    if (isNoFile(m_path))
        return notWritten(m_path, u"something that is no file stands at its name"_s);
    const QString folder = QFileInfo(m_path).absolutePath();
    // A folder made here is the user's alone.
    if (!makePrivateFolder(folder))
        return notWritten(m_path, systemReason(errno));
    const QString lockPath = m_path + u".lock"_s;
    if (Outcome cleared = clearSettingsWriteLock(lockPath, WriteLockWaitMs); !cleared)
        return cleared;
    QLockFile lock(lockPath);
    if (!lock.tryLock(WriteLockWaitMs) && lock.error() == QLockFile::LockFailedError)
        return Outcome(Failure::Locked,
                       u"The settings cannot be written now: another program holds their lock "
                       u"%1."_s.arg(lockPath));
    // Qt keeps no reason for a lock it could not make; a write of its size beside it tells the
    // system's ("No space left on device").
    if (lock.error() != QLockFile::NoError)
        return notWritten(m_path, writeFailureReason(folder, LockFileSize));
    return writeLocked(texts);
}

Outcome SettingsFile::writeLocked(const SettingTexts& texts)
{
    SettingsContent next = current();
    for (auto it = texts.cbegin(); it != texts.cend(); ++it) {
        next.ini.values.insert(it.key(), it.value());
        next.ini.rawValues.remove(it.key());
    }
    const QByteArray bytes = writeIni(next.ini.values, next.ini.rawValues);
    if (next.stamp && bytes == next.bytes)
        return {};
    if (next.keepBeforeWriting && !next.bytes.isEmpty() && !keepCopy(m_path, next.bytes))
        return notWritten(m_path, u"its damaged content could not be kept beside it"_s);
    // A settings file made here is the user's alone; one that exists keeps its mode.
    const Outcome written = next.stamp
                                ? replaceFileAtomically(m_path, bytes, Durability::Synced, m_layer)
                                : outcomeOf(replacePrivateFile(m_path, bytes, m_layer));
    if (!written) {
        m_known.reset();
        return notWritten(m_path, written.problem().reason);
    }
    const std::optional<struct stat> status = statusAt(m_path, Links::Followed);
    next.ini.damaged = false;
    next.ini.commaTexts = false;
    next.bytes = bytes;
    next.stamp = status ? std::optional(FileStamp::of(*status)) : std::nullopt;
    next.keepBeforeWriting = false;
    m_known = std::move(next);
    return {};
}

} // namespace quillory
