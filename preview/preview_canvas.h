// SPDX-License-Identifier: MIT

#pragma once

#include <QSize>

namespace quillory {

/// What the preview's procedures do to the window besides moving and sizing: the pictures of
/// Picture1 and Zoom_Ori, and the window's pointer. Sizes are in twips.
class PreviewCanvas {
public:
    virtual ~PreviewCanvas() = default;

    /// Zoom_Ori's picture becomes Picture1's picture, the snapshot handed over.
    virtual void keepZoomSource() = 0;
    /// Removes Picture1's picture, leaving it blank.
    virtual void clearPicture() = 0;
    /// Draws the zoom source's rectangle of the source size at its top-left corner, stretched
    /// onto Picture1's rectangle of the target size; throws Failure when it cannot.
    virtual void drawScaled(QSize source, QSize target) = 0;
    /// The window's pointer becomes the arrow, unless it is the hourglass.
    virtual void showArrow() = 0;
};

} // namespace quillory
