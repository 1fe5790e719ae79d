// SPDX-License-Identifier: MIT

#pragma once

#include <QImage>
#include <QSize>

namespace quillory {

/// A picture in the format the screen draws fastest, at the same device pixel ratio.
QImage drawableImage(const QImage& picture);

/// The rectangle of the source size (twips) at the picture's top-left corner, stretched to the
/// target size (twips) with smooth resampling and made at the screen's device pixel ratio, so
/// it stays crisp on high-density screens. Empty for an empty target; throws Failure when the
/// picture cannot be made.
QImage scaledPicture(const QImage& picture, QSize sourceTwips, QSize targetTwips,
                     qreal screenPixelRatio);

} // namespace quillory
