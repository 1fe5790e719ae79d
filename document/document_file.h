#pragma once

#include "document/rtf/model.h"

#include <QString>

namespace quillory::doc {

/// Reads a document saved as RTF. Throws a Failure that says why when the file is missing, not a
/// regular file, too large, unreadable or not a document.
Document readDocumentFile(const QString& path);

} // namespace quillory::doc
