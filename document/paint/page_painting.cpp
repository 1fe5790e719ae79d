// SPDX-License-Identifier: MIT

#include "document/paint/page_painting.h"

#include "document/paint/picture_recorder.h"

#include <QPainter>

namespace quillory::doc {

void recordLaidOutPage(QPainter& painter, PictureRecorder& recorder, const LaidOutPage& page,
                       const QSizeF& area)
{
    const QRectF textArea(QPointF(0, 0), area);
    // Fills go to the recorder itself: the painter would save and restore its state for each.
    for (const PlacedFill& shading : page.shadings)
        recorder.gridFill(PictureCommand::Shading, shading.rect,
                          QColor::fromRgb(shading.color).rgba(), textArea);
    painter.save();
    painter.setClipRect(textArea, Qt::IntersectClip);
    for (const PlacedParagraph& placed : page.paragraphs) {
        for (int line = placed.firstLine; line < placed.firstLine + placed.lineCount; ++line)
            placed.layout->drawLine(painter, line, placed.origin);
    }
    painter.restore();
    // Not clipped: on paper a hairline on the area's right edge that a PDF viewer widens to a
    // whole pixel keeps that pixel, as the left one does.
    for (const PlacedFill& border : page.borders)
        recorder.gridFill(PictureCommand::Border, border.rect, QColor::fromRgb(border.color).rgba(),
                          std::nullopt);
}

} // namespace quillory::doc
