// SPDX-License-Identifier: MIT

#pragma once

#include "base/file_descriptor.h"
#include "document/layout/layout.h"
#include "document/rtf/model.h"

#include <QString>

#include <memory>
#include <optional>

namespace quillory::doc {

/// A document and its layout, shared by what shows, prints and exports the same file.
struct SharedDocument {
    std::shared_ptr<const Document> document;     ///< the model
    std::shared_ptr<const DocumentLayout> layout; ///< its layout
};

/// Remembers the model just saved as the file at `path`, as that file stands now (device, inode,
/// size and modification time): the next open of that very file takes the model instead of
/// reading the file back. Only the last save is remembered.
void rememberSavedDocument(const QString& path, std::shared_ptr<const Document> document);

/// The document in the open `file` (read from where it stands, `name` naming it in a Failure):
/// the model saved there when the file is still as it was saved, otherwise the file read. Throws
/// Failure when the file is not a document.
std::shared_ptr<const Document> openDocument(const FileDescriptor& file, const QString& name);

/// The layout of a document: the one already made of this very model when it is the one saved
/// last, otherwise a new one (kept with it for the next caller).
std::shared_ptr<const DocumentLayout> sharedLayout(const std::shared_ptr<const Document>& document);

/// The document saved last and its layout (made once for every reader: the picture, the PDF,
/// printing), when the open file is still as it was saved; from now on the component keeps them
/// only as long as someone else does (openDocument and sharedLayout still find them then), so
/// they go with the caller's last copy. Nothing for any other file.
std::optional<SharedDocument> takeSavedDocument(const FileDescriptor& file);

/// The document in the open file, read and laid out. Throws Failure when it is not a document.
SharedDocument readLaidOutDocument(const FileDescriptor& file, const QString& name);

} // namespace quillory::doc
