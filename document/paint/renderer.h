// SPDX-License-Identifier: MIT

#pragma once

#include "document/layout/layout.h"

#include <QImage>

#include <vector>

class QPainter;

namespace quillory::doc {

/// Twips per logical pixel of the picture: 96 pixels per inch.
inline constexpr int TwipsPerPixel = 15;
/// The gap between two pages in the picture, in twips.
inline constexpr int PageGap = 150;

/// How far down a page's content reaches: the bottom of its last line, shading or border, in
/// twips from the top of its text area, at most the area's height.
qreal contentBottom(const LaidOutPage& page, const QSizeF& textArea);

/// The height each page takes in the picture, in twips: the text area's height for every page
/// but the last, which ends at its last content.
std::vector<qreal> pictureStripes(const DocumentLayout& layout);

/// The size of the picture of a layout, in logical pixels (at least one by one).
QSize pictureSize(const DocumentLayout& layout);

/// The most device pixels a picture takes (64 MB at four bytes each): a very long schedule is
/// pictured at a lower ratio rather than taking gigabytes.
inline constexpr qreal MaxPicturePixels = 16.0 * 1024 * 1024;

/// Picture ratios lowered for long schedules are whole multiples of 1 / PictureRatioSteps, so
/// that a reader of the picture's resolution can tell the ratio exactly.
inline constexpr int PictureRatioSteps = 64;

/// The device pixel ratio to picture a layout at: the wanted one, lowered in steps of
/// 1 / PictureRatioSteps as far as it takes to stay within MaxPicturePixels (or to the first
/// step).
qreal pictureRatio(const DocumentLayout& layout, qreal wanted);

/// Paints the part of the laid-out main text's picture that lies in `area` (twips from the
/// picture's top-left corner), as renderMainText pictures it, onto a painter whose origin is
/// that corner and whose unit is a twip; `pixel` is a device pixel in twips.
void paintMainText(QPainter& painter, const DocumentLayout& layout, const QRectF& area,
                   qreal pixel);

/// Paints the laid-out main text, the text's own extent: the pages' text areas one below the
/// other with a grey gap between them, the last ending at its last content, on white,
/// antialiased, at the given device pixel ratio.
QImage renderMainText(const DocumentLayout& layout, qreal devicePixelRatio);

} // namespace quillory::doc
