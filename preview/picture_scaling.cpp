// SPDX-License-Identifier: MIT

#include "preview/picture_scaling.h"

#include "base/failure.h"
#include "widgets/twips.h"

#include <cmath>

namespace quillory {

using namespace Qt::StringLiterals;

namespace {

// Device pixels of a size given in twips: whole logical pixels first, so that the picture
// covers exactly the area it is shown in.
QSize devicePixels(QSize twips, qreal pixelRatio)
{
    return QSize(qRound(pixelsFromTwips(twips.width()) * pixelRatio),
                 qRound(pixelsFromTwips(twips.height()) * pixelRatio));
}

// The part of the picture the source rectangle covers, in whole pixels of the picture.
QImage sourcePart(const QImage& picture, QSize sourceTwips)
{
    const qreal ratio = picture.devicePixelRatio();
    const QRect wanted(0, 0, qRound(sourceTwips.width() * ratio / TwipsPerPixel),
                       qRound(sourceTwips.height() * ratio / TwipsPerPixel));
    const QRect part = wanted.intersected(picture.rect());
    return part == picture.rect() ? picture : picture.copy(part);
}

} // namespace

QImage drawableImage(const QImage& picture)
{
    return picture.convertToFormat(picture.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                             : QImage::Format_RGB32);
}

QImage scaledPicture(const QImage& picture, QSize sourceTwips, QSize targetTwips,
                     qreal screenPixelRatio)
{
    const QSize target = devicePixels(targetTwips, screenPixelRatio);
    if (target.isEmpty())
        return {};
    const QImage source = sourcePart(picture, sourceTwips);
    QImage scaled = source.size() == target
                        ? source
                        : source.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (scaled.isNull())
        throw Failure(Failure::TooLarge, u"Out of memory"_s);
    scaled.setDevicePixelRatio(screenPixelRatio);
    return scaled;
}

} // namespace quillory
