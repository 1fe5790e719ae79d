// SPDX-License-Identifier: MIT

#include "document/paint/picture_mime.h"

#include "document/paint/renderer.h"

#include <QGuiApplication>
#include <QScreen>

namespace quillory::doc {

using namespace Qt::StringLiterals;

namespace {

const QString ImageMimeType = u"application/x-qt-image"_s;

qreal screenRatio()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->devicePixelRatio() : 1.0;
}

} // namespace

PictureMimeData::PictureMimeData(std::shared_ptr<const VectorPicture> picture)
    : m_picture(std::move(picture))
{
}

PictureMimeData::~PictureMimeData() = default;

QStringList PictureMimeData::formats() const
{
    return {ImageMimeType, QString::fromUtf16(VectorPictureMimeType)};
}

bool PictureMimeData::hasFormat(const QString& mimeType) const
{
    return formats().contains(mimeType);
}

QVariant PictureMimeData::retrieveData(const QString& mimeType, QMetaType type) const
{
    if (mimeType == ImageMimeType || type.id() == QMetaType::QImage)
        return m_picture->toImage(bitmapRatio(m_picture->extent(), screenRatio()));
    if (mimeType == QString::fromUtf16(VectorPictureMimeType))
        return QByteArray(m_picture->header() + m_picture->body());
    return {};
}

} // namespace quillory::doc
