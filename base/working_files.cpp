// SPDX-License-Identifier: MIT

#include "base/working_files.h"

#include <cstdlib>
#include <vector>

namespace quillory {

namespace {

struct ListedFile {
    QString path;
    FileIdentity identity;
};

// Never destroyed: the exit handler and the working folder's own clean-up may run after the
// other static objects are gone.
std::vector<ListedFile>& listedFiles()
{
    static auto* files = [] {
        std::atexit(deleteAllWorkingFiles);
        return new std::vector<ListedFile>;
    }();
    return *files;
}

} // namespace

void trackWorkingFile(const QString& path, const FileIdentity& identity)
{
    listedFiles().push_back({path, identity});
}

void deleteWorkingFile(const QString& path, const FileIdentity& identity)
{
    std::erase_if(listedFiles(), [&](const ListedFile& listed) {
        return listed.path == path && listed.identity == identity;
    });
    deleteIfSameFile(path, identity);
}

void deleteAllWorkingFiles()
{
    std::vector<ListedFile>& files = listedFiles();
    for (const ListedFile& file : files)
        deleteIfSameFile(file.path, file.identity);
    files.clear();
}

} // namespace quillory
