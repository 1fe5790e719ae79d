#pragma once

#include "document/layout.h"

#include <QImage>

namespace quillory::doc {

/// Twips per logical pixel of the picture: 96 pixels per inch.
inline constexpr int TwipsPerPixel = 15;
/// The gap between two pages in the picture, in twips.
inline constexpr int PageGap = 150;

/// The size of the picture of a layout, in logical pixels.
QSize pictureSize(const DocumentLayout& layout);

/// Paints the laid-out main text: each page's text area, one below the other with a grey gap
/// between them, on white, antialiased, at the given device pixel ratio.
QImage renderMainText(const DocumentLayout& layout, qreal devicePixelRatio);

} // namespace quillory::doc
