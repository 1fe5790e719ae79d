// SPDX-License-Identifier: MIT

#pragma once

#include <QFont>

namespace quillory::doc {

/// Maps the fonts the schedule and the windows are designed in to their metric-compatible
/// stand-ins (Century Gothic to URW Gothic, Arial to Liberation Sans) where the originals are
/// not installed, so layout does not depend on the user's font configuration; emoji and symbols
/// the fonts lack come from Symbola (fonts-symbola), an outline font a PDF can embed, before any
/// colour emoji font that would print as a blank.
void installFontSubstitutions();

/// The weight that makes `font` bold with a face of its own: the family's heaviest upright face
/// where that is lighter than bold but heavier than regular (URW Gothic's Demi), else bold. A
/// bold request that a lighter face meets would otherwise be thickened artificially, and the PDF
/// would draw every glyph twice.
QFont::Weight boldWeight(const QFont& font);

} // namespace quillory::doc
