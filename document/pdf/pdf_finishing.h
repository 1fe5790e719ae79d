// SPDX-License-Identifier: MIT

#pragma once

#include "document/layout/glyph_text.h"

#include <QByteArray>
#include <QByteArrayView>

#include <vector>

namespace quillory::doc {

/// Pages as Qt's PDF writer draws them, before they are finished, with what a GlyphTextRecorder
/// noted while painting them.
struct PaintedPdf {
    QByteArray pdf;               ///< the file as Qt wrote it
    std::vector<DrawnFace> faces; ///< GlyphTextRecorder::faces()
    std::vector<GlyphSpan> spans; ///< GlyphTextRecorder::spans()
    qint64 glyphs = 0;            ///< GlyphTextRecorder::glyphCount()
};

/// A PDF that QPdfWriter wrote, finished so that readers find what was typed:
/// - each font's ToUnicode map gives its glyphs the characters they were drawn for (`faces`, in
///   the order first drawn), so ligatures, ideographs that share a radical's glyph, Arabic
///   contextual forms and emoji are searched and copied as typed; a font the recording does not
///   account for keeps its map, with compatibility characters spelt out;
/// - the words of scripts that reorder or join their glyphs, and the glyphs drawn for
///   characters no font has, read as typed (`spans`);
/// - each embedded subset font is named with its subset tag ("QPAAAA+Name");
/// - the document information names `producer` as its producer.
/// A file the pass cannot finish (damaged, or made in a way it does not know) is returned as Qt
/// wrote it: still a valid PDF.
QByteArray finishedPdf(const PaintedPdf& painted, QByteArrayView producer);

} // namespace quillory::doc
