// SPDX-License-Identifier: MIT

#include "tests/support/faulty_file_layer.h"

#include <QThread>

#include <cerrno>

namespace quillory::test {

bool FaultyFileLayer::writeAll(int handle, QByteArrayView bytes) const
{
    const qint64 left = bytesLeft.load();
    if (left < 0)
        return FileLayer::writeAll(handle, bytes);
    const qint64 fits = std::min<qint64>(left, bytes.size());
    if (fits > 0 && !FileLayer::writeAll(handle, bytes.first(fits)))
        return false;
    bytesLeft -= fits;
    if (fits == bytes.size())
        return true;
    errno = writeError;
    return false;
}

bool FaultyFileLayer::failOr(int error) const
{
    if (const int pause = delayMs.load(); pause > 0)
        QThread::msleep(pause);
    if (error == 0)
        return true;
    errno = error;
    return false;
}

bool FaultyFileLayer::sync(int handle) const
{
    ++syncs;
    return failOr(syncError) && FileLayer::sync(handle);
}

bool FaultyFileLayer::syncData(int handle) const
{
    ++syncs;
    return failOr(syncError) && FileLayer::syncData(handle);
}

bool FaultyFileLayer::rename(const QString& from, const QString& to) const
{
    return failOr(renameError) && FileLayer::rename(from, to);
}

} // namespace quillory::test
