// SPDX-License-Identifier: MIT

#pragma once

#include "document/layout/layout.h"
#include "document/layout/text_position.h"
#include "document/rtf/model.h"

#include <optional>

namespace quillory::doc {

/// One laid-out line of a main-text paragraph.
struct LinePlace {
    ParagraphAddress paragraph;
    int line = 0;
};

/// The line that holds a position.
LinePlace lineOf(const DocumentLayout& layout, const TextPosition& position);

/// The x of a position in its page's text area.
qreal caretX(const DocumentLayout& layout, const TextPosition& position);

/// The line below, in reading order as the eye moves down: the next line of the paragraph, of
/// the cell, then the cell under x in the next row, then the block after the table. Repeated
/// heading rows are not lines of their own. Nothing below the last line.
std::optional<LinePlace> lineBelow(const Document& document, const DocumentLayout& layout,
                                   const LinePlace& from, qreal x);

/// The position in a line nearest to x.
TextPosition positionOnLine(const DocumentLayout& layout, const LinePlace& line, qreal x);

} // namespace quillory::doc
