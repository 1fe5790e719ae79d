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

std::optional<SharedDocument> takeSavedDocument(const FileDescriptor& file)
{
    const std::optional<FileStamp> stamp = stampOf(file.status());
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

SharedDocument readLaidOutDocument(const FileDescriptor& file, const QString& name)
{
    SharedDocument shared;
    shared.document = openDocument(file, name);
    shared.layout = sharedLayout(shared.document);
    return shared;
}

} // namespace quillory::doc
