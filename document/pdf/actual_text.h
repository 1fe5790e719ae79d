// SPDX-License-Identifier: MIT

#pragma once

#include "document/layout/glyph_text.h"

#include <vector>

class QPDF;

namespace quillory::doc {

/// Marks each span of glyphs the pages draw with the text it stands for, as content that
/// readers take in the glyphs' place. `spans` number the glyphs in the order drawn, one text
/// showing each, from the first page; `glyphs` is how many the pages draw. The pages are left
/// as they are when they draw another number.
void markActualText(QPDF& file, const std::vector<GlyphSpan>& spans, qint64 glyphs);

} // namespace quillory::doc
