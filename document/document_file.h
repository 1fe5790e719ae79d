// SPDX-License-Identifier: MIT

#pragma once

#include "base/file_descriptor.h"
#include "document/rtf/model.h"

#include <QByteArray>
#include <QString>

namespace quillory::doc {

/// Reads a document saved as RTF. Throws a Failure that says why when the file is missing, not a
/// regular file, too large, unreadable or not a document.
Document readDocumentFile(const QString& path);

/// Throws the Failure readDocumentFile throws when the path is empty, missing, not a regular file
/// or too large.
void checkDocumentFile(const QString& path);

/// The whole file open at `file`, read from its start through the descriptor (`name` naming it
/// in a Failure). Throws a Failure that says why when it is too large or cannot be read.
QByteArray readDocumentBytes(const FileDescriptor& file, const QString& name);

/// Reads a document from RTF bytes already in hand (a file held open, for one); `name` names it
/// in the Failure thrown when the bytes are not a document.
Document readDocument(const QByteArray& rtf, const QString& name);

} // namespace quillory::doc
