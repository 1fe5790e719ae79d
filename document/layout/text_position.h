// SPDX-License-Identifier: MIT

#pragma once

#include "document/rtf/model.h"

#include <compare>
#include <vector>

namespace quillory::doc {

/// Which paragraph of a document: a body paragraph, a paragraph of a table cell, or a
/// paragraph of a shape's text.
struct ParagraphAddress {
    int shape = -1; ///< -1: the main text; otherwise the shape's index
    int block = 0;  ///< the main text's block (ignored for shapes)
    int row = -1;   ///< -1: the block is a paragraph
    int cell = -1;
    int paragraph = 0; ///< within the cell or the shape

    /// Whether the paragraph lies in a table cell.
    bool inTable() const { return row >= 0; }
    auto operator<=>(const ParagraphAddress&) const = default;
};

/// A place between two characters of a paragraph.
struct TextPosition {
    ParagraphAddress paragraph;
    int offset = 0;

    auto operator<=>(const TextPosition&) const = default;
};

/// The paragraph at the address; the address must be valid.
Paragraph& paragraphAt(Document& document, const ParagraphAddress& address);
/// The paragraph at the address; the address must be valid.
const Paragraph& paragraphAt(const Document& document, const ParagraphAddress& address);

/// Every paragraph of the main text (shape -1) or of one shape, in reading order.
std::vector<ParagraphAddress> storyParagraphs(const Document& document, int shape);

/// The address of a cell's first paragraph.
ParagraphAddress cellStart(int block, int row, int cell);

} // namespace quillory::doc
