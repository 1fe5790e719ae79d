// SPDX-License-Identifier: MIT

#pragma once

#include "document/layout/layout.h"

class QPainter;

namespace quillory::doc {

class PictureRecorder;

/// Records one laid-out page's text area on the page `recorder` is painting with `painter`, in
/// twips from its top-left corner: shadings cut at the area, then the text clipped to it, then
/// the borders, kept inside it. Shadings and borders snap to the grid the picture is played at.
void recordLaidOutPage(QPainter& painter, PictureRecorder& recorder, const LaidOutPage& page,
                       const QSizeF& area);

} // namespace quillory::doc
