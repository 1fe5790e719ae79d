// SPDX-License-Identifier: MIT

#include "base/private_files.h"

#include <QDir>
#include <QFileInfo>

#include <fcntl.h>

namespace quillory {

bool makePrivateFolder(const QString& path)
{
    const QFileInfo folder(path);
    if (folder.isDir())
        return true;
    const QString parent = folder.absolutePath();
    if (parent == folder.absoluteFilePath() || !makePrivateFolder(parent))
        return false;
    // Made by someone else in the meantime, it is theirs to keep as it is.
    return QDir().mkdir(folder.absoluteFilePath(),
                        QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner) ||
           QFileInfo(path).isDir();
}

FileDescriptor createPrivateFile(const QString& path)
{
    return FileDescriptor::open(path, O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW, 0600);
}

} // namespace quillory
