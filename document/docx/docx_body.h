// SPDX-License-Identifier: MIT

#pragma once

#include "document/rtf/model.h"

#include <QByteArray>

#include <vector>

namespace quillory::doc::docx {

/// The main part of a package, word/document.xml, made piece by piece so that a long document
/// is never held whole as XML: its head, then each paragraph, each table's start, row and end,
/// then the page set-up.
class BodyWriter {
public:
    /// Writes `document`, which must outlive the writer; run formats are written as they
    /// differ from the document's base format, which the styles part states.
    explicit BodyWriter(const Document& document);

    /// Appends the next piece of the part to `out`; false once the part is complete.
    bool next(QByteArray& out);

private:
    void nextBlock(QByteArray& out);

    const Document& m_document;
    bool m_headWritten = false;
    bool m_done = false;
    std::size_t m_block = 0;
    std::size_t m_row = 0;
    bool m_inTable = false;
    std::vector<int> m_grid; ///< the right edges of the current table's grid columns
};

} // namespace quillory::doc::docx
