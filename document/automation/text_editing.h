// SPDX-License-Identifier: MIT

#pragma once

#include "document/rtf/model.h"

#include <QString>

namespace quillory::doc {

/// The format of the character at `index`; the paragraph mark's for an empty paragraph.
CharFormat formatOfCharacter(const Paragraph& paragraph, int index);

/// Replaces `length` characters from `start` by `text`. The new text takes the format of the
/// first character it replaces, or, when nothing is replaced, the format typing at `start`
/// gets: the preceding character's, the first character's at the very start, the paragraph
/// mark's in an empty paragraph.
void replaceText(Paragraph& paragraph, int start, int length, const QString& text);

/// Cuts the paragraph at `offset` and returns the part after it, a paragraph of the same
/// paragraph and mark format.
Paragraph splitParagraph(Paragraph& paragraph, int offset);

/// Empties a cell, keeping one paragraph with the formats of its first.
void clearCell(Cell& cell);

/// A row with the same layout (widths, shading, alignment, heights, paragraph formats) and no
/// text.
Row emptyCopy(const Row& row);

} // namespace quillory::doc
