// SPDX-License-Identifier: MIT

#include "document/saved_documents.h"

#include "base/failure.h"
#include "document/document_file.h"
#include "document/rtf/rtf_reader.h"

#include <QFile>

#include <mutex>
#include <optional>

#include <sys/stat.h>

namespace quillory::doc {

using namespace Qt::StringLiterals;

namespace {

// Which file, in which state: a file rewritten in place has another size or time. (The one
// place that looks at a descriptor's status here; it may move to the files module.)
struct FileStamp {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{};

    bool operator==(const FileStamp& other) const
    {
        return device == other.device && inode == other.inode && size == other.size &&
               modified.tv_sec == other.modified.tv_sec &&
               modified.tv_nsec == other.modified.tv_nsec;
    }
};

std::optional<FileStamp> stampOf(const struct stat& status)
{
    if (!S_ISREG(status.st_mode))
        return std::nullopt;
    return FileStamp{status.st_dev, status.st_ino, status.st_size, status.st_mtim};
}

std::optional<FileStamp> stampOfHandle(int handle)
{
    struct stat status {};
    return ::fstat(handle, &status) == 0 ? stampOf(status) : std::nullopt;
}

// The last save: its model and, once made, its layout; kept alive here until a reader takes
// them, then known for as long as that reader keeps them.
struct SavedDocument {
    FileStamp stamp;
    std::weak_ptr<const Document> document;
    std::weak_ptr<const DocumentLayout> layout;
    std::shared_ptr<const Document> keptDocument;
    std::shared_ptr<const DocumentLayout> keptLayout;
};

std::mutex& savedMutex()
{
    static std::mutex mutex;
    return mutex;
}

std::optional<SavedDocument>& lastSaved()
{
    static std::optional<SavedDocument> saved;
    return saved;
}

QByteArray readHandle(int handle, const QString& name)
{
    QFile file;
    if (!file.open(handle, QIODevice::ReadOnly, QFileDevice::DontCloseHandle) || !file.seek(0))
        throw Failure(Failure::SystemError,
                      u"The document %1 cannot be read: %2"_s.arg(name, file.errorString()));
    if (file.size() > MaxRtfSize)
        throw Failure(Failure::TooLarge, u"The document %1 is too large to be opened."_s.arg(name));
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw Failure(Failure::SystemError,
                      u"The document %1 cannot be read: %2"_s.arg(name, file.errorString()));
    return bytes;
}

} // namespace

void rememberSavedDocument(const QString& path, std::shared_ptr<const Document> document)
{
    struct stat status {};
    const std::optional<FileStamp> stamp =
        ::lstat(QFile::encodeName(path).constData(), &status) == 0 ? stampOf(status) : std::nullopt;
    const std::lock_guard lock(savedMutex());
    if (stamp)
        lastSaved() = SavedDocument{*stamp, document, {}, document, nullptr};
    else
        lastSaved().reset();
}

std::shared_ptr<const Document> openDocument(int handle, const QString& name)
{
    const std::optional<FileStamp> stamp = stampOfHandle(handle);
    {
        const std::lock_guard lock(savedMutex());
        if (stamp && lastSaved() && lastSaved()->stamp == *stamp) {
            if (std::shared_ptr<const Document> saved = lastSaved()->document.lock())
                return saved;
        }
    }
    // Made changeable: whoever holds the only copy may edit it in place.
    return std::make_shared<Document>(readDocument(readHandle(handle, name), name));
}

std::shared_ptr<const DocumentLayout> sharedLayout(const std::shared_ptr<const Document>& document)
{
    const auto isSaved = [&] { return lastSaved() && lastSaved()->document.lock() == document; };
    {
        const std::lock_guard lock(savedMutex());
        if (isSaved()) {
            if (std::shared_ptr<const DocumentLayout> layout = lastSaved()->layout.lock())
                return layout;
        }
    }
    auto layout = std::make_shared<const DocumentLayout>(layOutDocument(*document));
    const std::lock_guard lock(savedMutex());
    if (isSaved()) {
        lastSaved()->layout = layout;
        if (lastSaved()->keptDocument)
            lastSaved()->keptLayout = layout;
    }
    return layout;
}

std::optional<SharedDocument> takeSavedDocument(int handle)
{
    const std::optional<FileStamp> stamp = stampOfHandle(handle);
    std::shared_ptr<const Document> document;
    {
        const std::lock_guard lock(savedMutex());
        if (!stamp || !lastSaved() || !(lastSaved()->stamp == *stamp))
            return std::nullopt;
        document = lastSaved()->document.lock();
    }
    if (!document)
        return std::nullopt;
    SharedDocument shared{document, sharedLayout(document)};
    const std::lock_guard lock(savedMutex());
    if (lastSaved()) {
        lastSaved()->keptDocument.reset();
        lastSaved()->keptLayout.reset();
    }
    return shared;
}

SharedDocument readLaidOutDocument(int handle, const QString& name)
{
    SharedDocument shared;
    shared.document = openDocument(handle, name);
    shared.layout = sharedLayout(shared.document);
    return shared;
}

} // namespace quillory::doc
