// SPDX-License-Identifier: MIT

#include "preview/save_folder.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace quillory {

QString SaveFolder::startFolder() const
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    for (const QString& folder : {m_lastSave, documents}) {
        if (!folder.isEmpty() && QFileInfo(folder).isDir())
            return folder;
    }
    return QDir::homePath();
}

void SaveFolder::saved(const QString& path)
{
    m_lastSave = QFileInfo(path).absolutePath();
}

SaveFolder& saveFolder()
{
    static SaveFolder folder;
    return folder;
}

} // namespace quillory
