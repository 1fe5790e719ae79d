// SPDX-License-Identifier: MIT

#include "document/paint/renderer.h"

#include "document/paint/page_painting.h"
#include "document/paint/picture_recorder.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace quillory::doc {

namespace {

const QColor GapColor(0xd0, 0xd0, 0xd0);

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

qreal bitmapRatio(QSizeF extent, qreal wanted)
{
    const qreal pixels = std::max(1.0, extent.width() / TwipsPerPixel) *
                         std::max(1.0, extent.height() / TwipsPerPixel);
    const qreal fitting = std::sqrt(MaxPicturePixels / pixels);
    const qreal steps = std::max(1.0, std::floor(fitting * PictureRatioSteps));
    return std::min(wanted, steps / PictureRatioSteps);
}

VectorPicture recordMainText(const DocumentLayout& layout)
{
    const std::vector<qreal> stripes = pictureStripes(layout);
    const qreal width = layout.textArea().width();
    PictureRecorder recorder(width);
    for (std::size_t i = 0; i < stripes.size(); ++i) {
        const bool last = i + 1 == stripes.size();
        recorder.recordPage(stripes[i] + (last ? 0 : PageGap), [&](QPainter& painter) {
            // Snapped to the logical pixels the preview shows at 100 %; played back, fills snap
            // again to the device's own pixels.
            paintPage(painter, layout.pages()[i], QSizeF(width, stripes[i]), TwipsPerPixel);
            if (!last)
                painter.fillRect(QRectF(0, stripes[i], width, PageGap), GapColor);
        });
    }
    return recorder.picture(QSizeF(pictureSize(layout)) * TwipsPerPixel);
}

QImage renderMainText(const DocumentLayout& layout, qreal devicePixelRatio)
{
    return recordMainText(layout).toImage(devicePixelRatio);
}

} // namespace quillory::doc
