// SPDX-License-Identifier: MIT

#include "document/paint/page_painting.h"

#include "document/layout/glyph_text.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace quillory::doc {

namespace {

// Edges snapped to device pixels keep borders and shadings crisp and free of seams; a line
// thinner than a device pixel still takes one whole pixel.
QRectF snapped(const QRectF& rect, qreal pixel)
{
    const qreal left = std::round(rect.left() / pixel) * pixel;
    const qreal top = std::round(rect.top() / pixel) * pixel;
    const qreal width = std::max(pixel, std::round(rect.width() / pixel) * pixel);
    const qreal height = std::max(pixel, std::round(rect.height() / pixel) * pixel);
    return QRectF(left, top, width, height);
}

// A border line at the edge of the text area is moved inside across its thickness, so the
// outer lines of a full-width table stay visible; along its length it is cut at the area.
QRectF keptInside(QRectF line, const QSizeF& area)
{
    if (line.height() > line.width())
        line.moveLeft(std::clamp(line.left(), 0.0, area.width() - line.width()));
    else
        line.moveTop(std::clamp(line.top(), 0.0, area.height() - line.height()));
    return line & QRectF(QPointF(0, 0), area);
}

void paintFills(QPainter& painter, const std::vector<PlacedFill>& fills, qreal pixel)
{
    for (const PlacedFill& fill : fills)
        painter.fillRect(snapped(fill.rect, pixel), QColor::fromRgb(fill.color));
}

void paintParagraphs(QPainter& painter, const std::vector<PlacedParagraph>& paragraphs,
                     GlyphTextRecorder* recorder)
{
    for (const PlacedParagraph& placed : paragraphs) {
        for (int line = placed.firstLine; line < placed.firstLine + placed.lineCount; ++line) {
            placed.layout->drawLine(painter, line, placed.origin);
            if (recorder)
                placed.layout->recordLine(*recorder, line);
        }
    }
}

} // namespace

void paintPage(QPainter& painter, const LaidOutPage& page, const QSizeF& area, qreal pixel,
               GlyphTextRecorder* recorder)
{
    painter.save();
    painter.setClipRect(QRectF(QPointF(0, 0), area), Qt::IntersectClip);
    paintFills(painter, page.shadings, pixel);
    paintParagraphs(painter, page.paragraphs, recorder);
    painter.restore();
    // Borders are kept inside the area already. Not clipped, a hairline on the area's right
    // edge that a PDF viewer widens to a whole pixel keeps that pixel, as the left one does.
    for (const PlacedFill& border : page.borders)
        painter.fillRect(keptInside(snapped(border.rect, pixel), area),
                         QColor::fromRgb(border.color));
}

} // namespace quillory::doc
