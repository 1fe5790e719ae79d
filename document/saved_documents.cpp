// SPDX-License-Identifier: MIT

#include "document/saved_documents.h"

#include "document/document_file.h"

#include <mutex>
#include <optional>

namespace quillory::doc {

using namespace Qt::StringLiterals;

namespace {

// A regular file's stamp; nothing for anything else.
std::optional<FileStamp> stampOf(const std::optional<struct stat>& status)
{
    if (!status || !S_ISREG(status->st_mode))
        return std::nullopt;
    return FileStamp::of(*status);
}

// The last save: its model and, once recorded, its picture; kept alive here until a reader
// takes them, then known for as long as that reader keeps them.
struct SavedDocument {
    FileStamp stamp;
    std::weak_ptr<const Document> document;
    std::weak_ptr<const VectorPicture> picture;
    std::shared_ptr<const Document> keptDocument;
    std::shared_ptr<const VectorPicture> keptPicture;
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

} // namespace

void rememberSavedDocument(const QString& path, std::shared_ptr<const Document> document)
{
    const std::optional<FileStamp> stamp = stampOf(statusAt(path));
    const std::lock_guard lock(savedMutex());
    if (stamp)
        lastSaved() = SavedDocument{*stamp, document, {}, document, nullptr};
    else
        lastSaved().reset();
}

std::shared_ptr<const Document> openDocument(const FileDescriptor& file, const QString& name)
{
    const std::optional<FileStamp> stamp = stampOf(file.status());
    {
        const std::lock_guard lock(savedMutex());
        if (stamp && lastSaved() && lastSaved()->stamp == *stamp) {
            if (std::shared_ptr<const Document> saved = lastSaved()->document.lock())
                return saved;
        }
    }
    // Made changeable: whoever holds the only copy may edit it in place.
    return std::make_shared<Document>(readDocument(readDocumentBytes(file, name), name));
}

void rememberPicture(const std::shared_ptr<const Document>& document,
                     std::shared_ptr<const VectorPicture> picture)
{
    const std::lock_guard lock(savedMutex());
    if (!lastSaved() || lastSaved()->document.lock() != document)
        return;
    lastSaved()->picture = picture;
    if (lastSaved()->keptDocument)
        lastSaved()->keptPicture = std::move(picture);
}

std::optional<SharedDocument> takeSavedDocument(const FileDescriptor& file)
{
    const std::optional<FileStamp> stamp = stampOf(file.status());
    const std::lock_guard lock(savedMutex());
    if (!stamp || !lastSaved() || !(lastSaved()->stamp == *stamp))
        return std::nullopt;
    SharedDocument shared{lastSaved()->document.lock(), lastSaved()->picture.lock()};
    lastSaved()->keptDocument.reset();
    lastSaved()->keptPicture.reset();
    if (!shared.document)
        return std::nullopt;
    return shared;
}

} // namespace quillory::doc
