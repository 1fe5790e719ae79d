// SPDX-License-Identifier: MIT

#pragma once

#include "document/layout/layout.h"

class QPainter;

namespace quillory::doc {

class GlyphTextRecorder;

/// Paints one laid-out page's text area, in twips, its top-left corner at the painter's origin
/// and clipped to `area`: shadings, then text, then borders. Fill edges are snapped to whole
/// multiples of `pixel` twips (a device pixel), so a picture has crisp lines without seams.
/// A `recorder` notes every line's glyphs as they are painted.
void paintPage(QPainter& painter, const LaidOutPage& page, const QSizeF& area, qreal pixel,
               GlyphTextRecorder* recorder = nullptr);

} // namespace quillory::doc
