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

} // namespace quillory::journal
