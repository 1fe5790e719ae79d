// SPDX-License-Identifier: MIT

#include "base/file_layer.h"

#include "base/file_descriptor.h"

#include <QFile>

#include <cerrno>
#include <cstdio>

#include <fcntl.h>
#include <unistd.h>

namespace quillory {

bool FileLayer::writeAll(int handle, QByteArrayView bytes) const
{
    return writeAllTo(handle, bytes);
}

bool FileLayer::sync(int handle) const
{
    return ::fsync(handle) == 0;
}

bool FileLayer::syncData(int handle) const
{
    return ::fdatasync(handle) == 0;
}

bool FileLayer::rename(const QString& from, const QString& to) const
{
    return ::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

bool FileLayer::truncate(int handle, qint64 size) const
{
    return ::ftruncate(handle, size) == 0;
}

bool FileLayer::syncFolder(const QString& folder) const
{
    const FileDescriptor handle = FileDescriptor::open(folder, O_RDONLY | O_DIRECTORY);
    return handle.isOpen() && sync(handle.get());
}

const FileLayer& FileLayer::system()
{
    static const FileLayer real;
    return real;
}

} // namespace quillory
