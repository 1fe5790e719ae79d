// SPDX-License-Identifier: MIT

#include "document/paint/picture_playback.h"

#include "document/paint/picture_bytes.h"
#include "document/paint/vector_picture.h"

#include <QDataStream>
#include <QPainter>
#include <QPainterPath>
#include <QTextLayout>

#include <cmath>

namespace quillory::doc {

namespace {

// Text is the characters drawn with their font: laid out again as the document's layout lays
// text out (design metrics, the item's own direction), it gives the same glyphs in the same
// places.
void drawText(QPainter& painter, const QFont& font, bool rightToLeft, QPointF baseline, qreal width,
              const QString& text)
{
    QTextLayout layout(text, font);
    QTextOption option(Qt::AlignLeft | Qt::AlignAbsolute);
    option.setTextDirection(rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
    option.setUseDesignMetrics(true);
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(width);
    layout.endLayout();
    line.draw(&painter, baseline - QPointF(0, line.ascent()));
}

} // namespace

PicturePlayer::PicturePlayer(QPainter& painter, const std::vector<QFont>& fonts, const QRectF& area)
    : m_painter(painter)
    , m_fonts(fonts)
    , m_area(area)
    , m_device(painter.deviceTransform())
    , m_fromDevice(m_device.inverted())
{
}

bool PicturePlayer::play(const char* commands, qint64 size)
{
    PictureBytesReader reader(commands, size);
    while (!reader.atEnd()) {
        const std::optional<quint8> code = reader.get<quint8>();
        bool played = false;
        switch (PictureCommand(code.value_or(0))) {
        case PictureCommand::Fill: played = playFill(reader); break;
        case PictureCommand::Text: played = playText(reader); break;
        case PictureCommand::Clip: played = playClip(reader); break;
        case PictureCommand::Shape: played = playStreamed(reader, false); break;
        case PictureCommand::Image: played = playStreamed(reader, true); break;
        }
        if (!played)
            return false;
    }
    return true;
}

// Edges snap to whole device pixels, and a fill thinner than a pixel takes one: borders and
// shadings stay crisp and meet without seams at every zoom.
bool PicturePlayer::playFill(PictureBytesReader& reader)
{
    const std::optional<quint32> colour = reader.get<quint32>();
    const std::optional<QRectF> rect = reader.getRect();
    if (!rect)
        return false;
    if (!rect->intersects(m_area) && !(rect->isEmpty() && m_area.contains(rect->topLeft())))
        return true;
    const QRectF device = m_device.mapRect(*rect);
    // Halves go to the pixel above (or to the left), so a line that ends a page half a pixel
    // above the gap stays in sight.
    const auto nearest = [](qreal edge) { return std::ceil(edge - 0.5); };
    const QRectF snapped(nearest(device.left()), nearest(device.top()),
                         std::max(1.0, std::round(device.width())),
                         std::max(1.0, std::round(device.height())));
    m_painter.fillRect(m_fromDevice.mapRect(snapped), QColor::fromRgba(*colour));
    return true;
}

bool PicturePlayer::playText(PictureBytesReader& reader)
{
    const std::optional<quint16> font = reader.get<quint16>();
    const std::optional<quint32> colour = reader.get<quint32>();
    const std::optional<quint8> flags = reader.get<quint8>();
    const std::optional<QRectF> box = reader.getRect(); // baseline x and y, width, ascent
    const std::optional<float> descent = reader.get<float>();
    const std::optional<quint32> length = reader.get<quint32>();
    const char* units = length ? reader.take(qint64(*length) * 2) : nullptr;
    if (!units || *font >= m_fonts.size())
        return false;
    // Glyphs may reach beyond their box (italics, marks): an ascent's margin on every side.
    const qreal ascent = box->height();
    const QRectF bounds(box->x(), box->y() - ascent, box->width(), ascent + *descent);
    if (!bounds.adjusted(-ascent, -ascent, ascent, ascent).intersects(m_area))
        return true;
    QString text(qsizetype(*length), Qt::Uninitialized);
    for (quint32 i = 0; i < *length; ++i)
        text[i] = QChar(qFromLittleEndian<quint16>(units + 2 * i));
    m_painter.setPen(QColor::fromRgba(*colour));
    drawText(m_painter, m_fonts[*font], *flags & 1, box->topLeft(), box->width(), text);
    return true;
}

bool PicturePlayer::playClip(PictureBytesReader& reader)
{
    const std::optional<quint8> clipped = reader.get<quint8>();
    const std::optional<QRectF> rect = reader.getRect();
    if (!rect)
        return false;
    if (*clipped)
        m_painter.setClipRect(*rect, Qt::ReplaceClip);
    else
        m_painter.setClipping(false);
    return true;
}

// Shapes and images are rare (nothing the schedule's own painting makes): kept whole in Qt's
// stream form.
bool PicturePlayer::playStreamed(PictureBytesReader& reader, bool image)
{
    const std::optional<quint32> size = reader.get<quint32>();
    const char* data = size ? reader.take(*size) : nullptr;
    if (!data)
        return false;
    QDataStream stream(QByteArray::fromRawData(data, *size));
    stream.setVersion(QDataStream::Qt_6_0);
    bool antialiased = false;
    stream >> antialiased;
    if (image) {
        QRectF target;
        QRectF source;
        QImage picture;
        stream >> target >> source >> picture;
        if (stream.status() != QDataStream::Ok)
            return false;
        if (target.intersects(m_area))
            m_painter.drawImage(target, picture, source);
        return true;
    }
    QPainterPath path;
    QPen pen;
    QBrush brush;
    stream >> path >> pen >> brush;
    if (stream.status() != QDataStream::Ok)
        return false;
    m_painter.setRenderHint(QPainter::Antialiasing, antialiased);
    m_painter.setPen(pen);
    m_painter.setBrush(brush);
    m_painter.drawPath(path);
    m_painter.setRenderHint(QPainter::Antialiasing, true);
    return true;
}

} // namespace quillory::doc
