// SPDX-License-Identifier: MIT

#include "document/paint/renderer.h"

#include "document/paint/page_painting.h"

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
    paintMainText(painter, layout, QRectF(QPointF(0, 0), QSizeF(size) * TwipsPerPixel),
                  TwipsPerPixel / devicePixelRatio);
    return image;
}

void paintMainText(QPainter& painter, const DocumentLayout& layout, const QRectF& area, qreal pixel)
{
    const std::vector<qreal> stripes = pictureStripes(layout);
    const qreal width = layout.textArea().width();
    qreal top = 0;
    for (std::size_t i = 0; i < stripes.size() && top < area.bottom(); ++i) {
        const qreal next = top + stripes[i] + PageGap;
        if (next > area.top()) {
            painter.save();
            painter.translate(0, top);
            paintPage(painter, layout.pages()[i], QSizeF(width, stripes[i]), pixel);
            if (i + 1 < stripes.size())
                painter.fillRect(QRectF(0, stripes[i], width, PageGap), GapColor);
            painter.restore();
        }
        top = next;
    }
}

} // namespace quillory::doc
