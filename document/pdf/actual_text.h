// SPDX-License-Identifier: MIT

#pragma once

#include <QString>

#include <vector>

class QPDF;

namespace quillory::doc {

/// Gives each glyph the pages draw for a character no font has (a font's glyph 0, shown as a
/// replacement box) the text it stands for, as marked content that readers take in its place.
/// `texts` has one entry per such glyph, in the order drawn; the pages are left as they are
/// when they do not draw as many.
void markMissingGlyphs(QPDF& file, const std::vector<QString>& texts);

} // namespace quillory::doc
