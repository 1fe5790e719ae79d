// SPDX-License-Identifier: MIT

#pragma once

#include <QFont>

class QPainter;
class QPointF;
class QTextLayout;

namespace quillory::doc {

/// Maps the fonts the schedule and the windows are designed in to their metric-compatible
/// stand-ins (Century Gothic to URW Gothic, Arial to Liberation Sans) where the originals are
/// not installed, so layout does not depend on the user's font configuration. Chinese, Japanese
/// and Korean the fonts lack come from WenQuanYi Micro Hei, emoji and symbols from Symbola and,
/// for the newer emoji, Unifont Upper: outline fonts a PDF can embed, tried before any colour
/// emoji font that would print as a blank.
void installFontSubstitutions();

/// Draws a box over each glyph of line `line` of `text` that stands for a character no
/// installed font has, where that glyph is blank, so a cell never shows less than was typed
/// without a sign. `origin` is where the layout's (0, 0) is painted; the box takes the pen.
void drawReplacementBoxes(QPainter& painter, const QTextLayout& text, int line,
                          const QPointF& origin);

/// The weight that makes `font` bold with a face of its own: the family's heaviest upright face
/// where that is lighter than bold but heavier than regular (URW Gothic's Demi), else bold. A
/// bold request that a lighter face meets would otherwise be thickened artificially, and the PDF
/// would draw every glyph twice.
QFont::Weight boldWeight(const QFont& font);

} // namespace quillory::doc
