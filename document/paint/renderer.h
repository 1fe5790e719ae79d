// SPDX-License-Identifier: MIT

#pragma once

#include "document/layout/layout.h"
#include "document/paint/vector_picture.h"

#include <QImage>

#include <vector>

class QPainter;

namespace quillory::doc {

/// How far down a page's content reaches: the bottom of its last line, shading or border, in
/// twips from the top of its text area, at most the area's height.
qreal contentBottom(const LaidOutPage& page, const QSizeF& textArea);

/// The most device pixels a bitmap of the picture takes (64 MB at four bytes each): a very long
/// schedule's bitmap is drawn at a lower ratio rather than taking gigabytes.
inline constexpr qreal MaxPicturePixels = 16.0 * 1024 * 1024;

/// Bitmap ratios lowered for long schedules are whole multiples of 1 / PictureRatioSteps.
inline constexpr int PictureRatioSteps = 64;

/// The device pixel ratio to draw a bitmap of a picture of `extent` twips at: the wanted one,
/// lowered in steps of 1 / PictureRatioSteps as far as it takes to stay within
/// MaxPicturePixels (or to the first step).
qreal bitmapRatio(QSizeF extent, qreal wanted);

/// Records the laid-out main text as a vector picture, the text's own extent in whole pixels:
/// the pages' text areas one below the other with a grey gap between them, the last ending at
/// its last content; played on paper, each page is what the printer and the PDF show.
VectorPicture recordMainText(const DocumentLayout& layout);

/// The document's main text laid out and recorded as recordMainText records it, each page as
/// soon as it is laid out: the layout is made once and never held whole.
VectorPicture recordDocument(const Document& document);

/// The laid-out main text as a bitmap at the given device pixel ratio, on white, antialiased:
/// its recorded picture played back.
QImage renderMainText(const DocumentLayout& layout, qreal devicePixelRatio);

} // namespace quillory::doc
