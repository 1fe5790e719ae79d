// SPDX-License-Identifier: MIT

#include "base/own_file.h"

#include "base/failure.h"

#include <QFile>

#include <cerrno>

#include <fcntl.h>

namespace quillory {

using namespace Qt::StringLiterals;

OwnFile::OwnFile(const QString& path)
    : m_path(path)
    // O_NONBLOCK: a planted pipe must not hang the open; it fails the plain-file check below.
    , m_file(FileDescriptor::open(path, O_RDONLY | O_NOFOLLOW | O_NONBLOCK))
{
    if (!m_file.isOpen()) {
        const int error = errno;
        if (error == ELOOP)
            throw Failure(Failure::NotOwnFile,
                          u"%1 is a link; only a file of your own is used."_s.arg(path));
        throw Failure(Failure::SystemError, u"Cannot open %1: %2"_s.arg(path, systemReason(error)));
    }
    const std::optional<struct stat> status = m_file.status();
    const QString flaw =
        status ? ownFileFlaw(*status) : u"cannot be examined (%1)"_s.arg(systemReason(errno));
    if (!flaw.isEmpty())
        throw Failure(Failure::NotOwnFile,
                      u"%1 %2; only a file of your own is used."_s.arg(path, flaw));
    m_identity = FileIdentity::of(*status);
}

QString OwnFile::openedPath() const
{
    // Opening this path opens the file behind the descriptor, not whatever the name holds now.
    return u"/proc/self/fd/%1"_s.arg(m_file.get());
}

QByteArray OwnFile::readAll() const
{
    const std::optional<struct stat> status = m_file.status();
    std::optional<QByteArray> bytes;
    if (status)
        bytes = m_file.readFromStart(qsizetype(status->st_size));
    if (!bytes)
        throw cannotRead();
    return *bytes;
}

void OwnFile::readPieces(const std::function<void(QByteArrayView piece)>& take) const
{
    constexpr qsizetype PieceSize = 1024 * 1024;
    for (qint64 offset = 0;; offset += PieceSize) {
        const std::optional<QByteArray> piece = m_file.readAt(offset, PieceSize);
        if (!piece)
            throw cannotRead();
        if (!piece->isEmpty())
            take(*piece);
        if (piece->size() < PieceSize)
            return;
    }
}

Failure OwnFile::cannotRead() const
{
    return Failure(Failure::SystemError, u"Cannot read %1: %2"_s.arg(m_path, systemReason(errno)));
}

void deleteIfSameFile(const QString& path, const FileIdentity& identity)
{
    if (identityAt(path) == identity)
        QFile::remove(path);
}

} // namespace quillory
