// SPDX-License-Identifier: MIT

#pragma once

#include "document/rtf/model.h"

#include <QByteArray>
#include <QString>

namespace quillory::doc {

/// How making a .docx package ended.
enum class DocxStatus {
    Written,       ///< the package is whole in `package`
    PackageFailed, ///< the ZIP library could not make the package (its reason in `reason`)
};

/// A .docx package, or why there is none.
struct DocxResult {
    DocxStatus status = DocxStatus::Written;
    QByteArray package; ///< the whole file; empty unless written
    QString reason;     ///< the ZIP library's words; empty when written
};

/// The document as a Word 2007-365 file (Office Open XML, a ZIP package): page set-up, runs
/// with their fonts for every script, weight, colour and size, paragraphs with their alignment
/// and tab stops, tables with their column widths, padding, borders, shading, row heights,
/// heading rows repeated on every page, vertical alignment and no-wrap, and every text with its
/// tabs and line breaks, `title` as its title. Lengths beyond the model's ranges are written
/// clamped to them, as the RTF writer does; text boxes are not written.
DocxResult toDocx(const Document& document, const QString& title);

} // namespace quillory::doc
