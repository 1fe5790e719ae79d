// SPDX-License-Identifier: MIT

#pragma once

#include "base/file_descriptor.h"
#include "document/paint/vector_picture.h"
#include "document/rtf/model.h"

#include <QString>

#include <memory>
#include <optional>

namespace quillory::doc {

/// A document and the picture recorded of it, shared by what shows, prints and exports the same
/// file.
struct SharedDocument {
    std::shared_ptr<const Document> document;     ///< the model
    std::shared_ptr<const VectorPicture> picture; ///< its pages; none when none was recorded
};

/// Remembers the model just saved as the file at `path`, as that file stands now (device, inode,
/// size and modification time): the next open of that very file takes the model instead of
/// reading the file back. Only the last save is remembered.
void rememberSavedDocument(const QString& path, std::shared_ptr<const Document> document);

/// The document in the open `file` (read from where it stands, `name` naming it in a Failure):
/// the model saved there when the file is still as it was saved, otherwise the file read. Throws
/// Failure when the file is not a document.
std::shared_ptr<const Document> openDocument(const FileDescriptor& file, const QString& name);

/// Remembers the picture recorded of `document`: when that is the model saved last, the reader
/// that takes it (takeSavedDocument) takes the picture too, made from the one layout of it.
void rememberPicture(const std::shared_ptr<const Document>& document,
                     std::shared_ptr<const VectorPicture> picture);

/// The document saved last and its picture, when the open file is still as it was saved; from
/// now on the component keeps them only as long as someone else does (openDocument still finds
/// the model then), so they go with the caller's last copy. Nothing for any other file.
std::optional<SharedDocument> takeSavedDocument(const FileDescriptor& file);

} // namespace quillory::doc
