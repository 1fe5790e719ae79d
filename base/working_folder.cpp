// SPDX-License-Identifier: MIT

#include "base/working_folder.h"

#include "base/failure.h"
#include "base/file_descriptor.h"
#include "base/file_system.h"
#include "base/working_files.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstdlib>

#include <unistd.h>

namespace quillory {

using namespace Qt::StringLiterals;

namespace {

// The private folder this run of the program made; removed at exit when nothing is left in it.
class MadeFolder {
public:
    ~MadeFolder()
    {
        // The run's working files go first, so that the folder is empty and can go too.
        deleteAllWorkingFiles();
        forget();
    }

    QString path()
    {
        // A folder that went away, changed hands or lies under another temporary folder (TMPDIR
        // changed) is not used again: a fresh one is made.
        if (m_parent != QDir::tempPath() || !isPrivateFolder(m_path)) {
            forget();
            make();
        }
        return m_path;
    }

private:
    void make()
    {
        const QString parent = QDir::tempPath();
        // mkdtemp picks an unpredictable name, creates the folder 0700 and draws again when a
        // name is taken, so a name someone else holds never blocks.
        QByteArray name = QFile::encodeName(joinPath(parent, u"quillory-XXXXXX"_s));
        if (::mkdtemp(name.data()) == nullptr)
            throw Failure(Failure::SystemError,
                          u"Cannot create a private working folder in %1: %2"_s.arg(
                              parent, systemReason(errno)));
        m_parent = parent;
        m_path = QFile::decodeName(name);
    }

    void forget()
    {
        if (!m_path.isEmpty())
            ::rmdir(QFile::encodeName(m_path).constData());
        m_path.clear();
        m_parent.clear();
    }

    QString m_parent;
    QString m_path;
};

} // namespace

std::optional<QString> runtimeFolder()
{
    const QString folder = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!isPrivateFolder(folder))
        return std::nullopt;
    return folder;
}

QString TempFolder()
{
    const QString named = qEnvironmentVariable("TEMP");
    if (!named.isEmpty())
        return named;
    if (const std::optional<QString> runtime = runtimeFolder())
        return *runtime;
    static MadeFolder made;
    return made.path();
}

} // namespace quillory
