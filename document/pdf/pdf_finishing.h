// SPDX-License-Identifier: MIT

#pragma once

#include "document/layout/glyph_text.h"

#include <QByteArray>
#include <QByteArrayView>

#include <vector>

namespace quillory::doc {

/// A PDF that QPdfWriter wrote, finished so that readers find what was typed:
/// - each font's ToUnicode map gives its glyphs the characters they were drawn for (`faces`, in
///   the order first drawn, as recorded while painting), so ligatures, ideographs that share a
///   radical's glyph, Arabic contextual forms and emoji are searched and copied as typed; a font
///   the recording does not account for keeps its map, with compatibility characters spelt out;
/// - each embedded subset font is named with its subset tag ("QPAAAA+Name");
/// - the document information names `producer` as its producer.
QByteArray finishedPdf(QByteArray pdf, const std::vector<DrawnFace>& faces,
                       QByteArrayView producer);

} // namespace quillory::doc
