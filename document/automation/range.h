// SPDX-License-Identifier: MIT

#pragma once

#include "document/automation/find.h"

#include <memory>

namespace quillory::doc::automation {

class DocumentState;

/// A whole story of a document: the main text, or the text of one shape.
class Range {
public:
    /// The main text (shape -1) or one shape's text of the document.
    Range(std::shared_ptr<DocumentState> document, int shape);

    /// The search over this range; its switches stay with the range.
    automation::Find& Find();
    /// Records the main text (every page, one below the other) as a vector picture and puts it
    /// on the system clipboard, where it is also an image once something asks for one.
    void CopyAsPicture() const;

private:
    std::shared_ptr<DocumentState> m_document;
    int m_shape = -1;
    automation::Find m_find;
};

} // namespace quillory::doc::automation
