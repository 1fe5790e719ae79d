#include "document/renderer.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace quillory::doc {

namespace {

const QColor GapColor(0xd0, 0xd0, 0xd0);

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

void paintParagraphs(QPainter& painter, const std::vector<PlacedParagraph>& paragraphs)
{
    for (const PlacedParagraph& placed : paragraphs) {
        for (int line = placed.firstLine; line < placed.firstLine + placed.lineCount; ++line)
            placed.layout->drawLine(painter, line, placed.origin);
    }
}

void paintPage(QPainter& painter, const LaidOutPage& page, const QSizeF& area, qreal pixel)
{
    painter.setClipRect(QRectF(QPointF(0, 0), area));
    paintFills(painter, page.shadings, pixel);
    paintParagraphs(painter, page.paragraphs);
    // Borders keep inside the text area, so the outer lines of a full-width table stay visible.
    for (const PlacedFill& border : page.borders)
        painter.fillRect(keptInside(snapped(border.rect, pixel), area),
                         QColor::fromRgb(border.color));
}

} // namespace

qreal contentBottom(const LaidOutPage& page, const QSizeF& textArea)
{
    qreal bottom = 0;
    for (const PlacedParagraph& placed : page.paragraphs) {
        const int last = placed.firstLine + placed.lineCount - 1;
        bottom = std::max(bottom, placed.origin.y() + placed.layout->lineTop(last) +
                                      placed.layout->lineHeight(last));
    }
    for (const auto* fills : {&page.shadings, &page.borders}) {
        for (const PlacedFill& fill : *fills)
            bottom = std::max(bottom, fill.rect.bottom());
    }
    return std::min(bottom, textArea.height());
}

std::vector<qreal> pictureStripes(const DocumentLayout& layout)
{
    std::vector<qreal> stripes(layout.pages().size(), layout.textArea().height());
    stripes.back() = contentBottom(layout.pages().back(), layout.textArea());
    return stripes;
}

QSize pictureSize(const DocumentLayout& layout)
{
    qreal height = -PageGap;
    for (const qreal stripe : pictureStripes(layout))
        height += stripe + PageGap;
    return QSize(std::max(1, int(std::ceil(layout.textArea().width() / TwipsPerPixel))),
                 std::max(1, int(std::ceil(height / TwipsPerPixel))));
}

qreal pictureRatio(const DocumentLayout& layout, qreal wanted)
{
    const QSize size = pictureSize(layout);
    const qreal fitting = std::sqrt(MaxPicturePixels / (qreal(size.width()) * size.height()));
    const qreal steps = std::max(1.0, std::floor(fitting * PictureRatioSteps));
    return std::min(wanted, steps / PictureRatioSteps);
}

QImage renderMainText(const DocumentLayout& layout, qreal devicePixelRatio)
{
    const QSize size = pictureSize(layout);
    QImage image((QSizeF(size) * devicePixelRatio).toSize(), QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return image;
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    // Qt's painter scales by the image's ratio only when it is above 1; a long schedule's
    // lowered ratio is applied here, so the text fills the smaller picture instead of
    // overflowing it.
    const qreal unapplied = devicePixelRatio / painter.deviceTransform().m11();
    painter.scale(unapplied / TwipsPerPixel, unapplied / TwipsPerPixel);
    const qreal pixel = TwipsPerPixel / devicePixelRatio;
    const std::vector<qreal> stripes = pictureStripes(layout);
    const qreal width = layout.textArea().width();
    for (std::size_t i = 0; i < stripes.size(); ++i) {
        paintPage(painter, layout.pages()[i], QSizeF(width, stripes[i]), pixel);
        painter.setClipping(false);
        if (i + 1 < stripes.size())
            painter.fillRect(QRectF(0, stripes[i], width, PageGap), GapColor);
        painter.translate(0, stripes[i] + PageGap);
    }
    return image;
}

} // namespace quillory::doc
