// SPDX-License-Identifier: MIT

#include "document/paint/picture_playback.h"

#include "document/layout/glyph_text.h"
#include "document/paint/picture_bytes.h"

#include <QDataStream>
#include <QPainter>
#include <QPainterPath>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <tuple>

namespace quillory::doc {

namespace {

// Edges snapped to the grid keep borders and shadings crisp and free of seams; a line thinner
// than the grid still takes one whole step of it.
QRectF snapped(const QRectF& rect, qreal grid)
{
    const qreal left = std::round(rect.left() / grid) * grid;
    const qreal top = std::round(rect.top() / grid) * grid;
    const qreal width = std::max(grid, std::round(rect.width() / grid) * grid);
    const qreal height = std::max(grid, std::round(rect.height() / grid) * grid);
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

// Text is the characters drawn with their font: laid out again as the document's layout lays
// text out (design metrics, the item's own direction), it gives the same glyphs in the same
// places. A recorder notes them as they are drawn.
void drawText(QPainter& painter, const QFont& font, bool rightToLeft, QPointF baseline, qreal width,
              const QString& text, GlyphTextRecorder* recorder)
{
    QTextLayout layout(text, font);
    layout.setCacheEnabled(true); // shaped once, for the line and its drawing
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
    if (recorder)
        recorder->recordLine(layout, 0);
}

} // namespace

PicturePlayer::PicturePlayer(QPainter& painter, const std::vector<QFont>& fonts, const QRectF& area,
                             const PageTarget& target)
    : m_painter(painter)
    , m_fonts(fonts)
    , m_area(area)
    , m_target(target)
    , m_device(painter.deviceTransform())
    , m_fromDevice(m_device.inverted())
{
}

bool PicturePlayer::play(const char* commands, qint64 size)
{
    PictureBytesReader reader(commands, size);
    while (!reader.atEnd()) {
        const std::optional<quint8> code = reader.get<quint8>();
        const auto command = PictureCommand(code.value_or(0));
        if (command != PictureCommand::Shading && command != PictureCommand::Border)
            paintJoinedFills();
        bool played = false;
        switch (command) {
        case PictureCommand::Fill: played = playFill(reader); break;
        case PictureCommand::Text: played = playText(reader); break;
        case PictureCommand::Clip: played = playClip(reader); break;
        case PictureCommand::Shape: played = playStreamed(reader, false); break;
        case PictureCommand::Image: played = playStreamed(reader, true); break;
        case PictureCommand::Shading: played = playGridFill(reader, false); break;
        case PictureCommand::Border: played = playGridFill(reader, true); break;
        }
        if (!played)
            return false;
    }
    paintJoinedFills();
    return true;
}

bool PicturePlayer::playFill(PictureBytesReader& reader)
{
    const std::optional<quint32> colour = reader.get<quint32>();
    const std::optional<QRectF> rect = reader.getRect();
    if (!rect)
        return false;
    fill(*rect, QColor::fromRgba(*colour));
    return true;
}

// Shadings and borders snap to the target's grid first: on a screen a border is a logical
// pixel wide at every device pixel ratio.
bool PicturePlayer::playGridFill(PictureBytesReader& reader, bool border)
{
    const std::optional<quint32> colour = reader.get<quint32>();
    std::optional<double> edges[4];
    for (std::optional<double>& edge : edges)
        edge = reader.get<double>();
    if (!edges[3] || !std::all_of(std::begin(edges), std::end(edges),
                                  [](const auto& edge) { return std::isfinite(*edge); }))
        return false;
    QRectF rect = snapped(QRectF(*edges[0], *edges[1], *edges[2], *edges[3]), m_target.grid);
    if (border)
        rect = keptInside(rect, m_target.area);
    if (m_target.joinFills)
        m_joined.push_back({onDevicePixels(rect), *colour});
    else
        fill(rect, QColor::fromRgba(*colour));
    return true;
}

// The fills gathered since the last other command: down each column, those of one colour that
// touch or overlap become one. Cells of
// different colours lie side by side, never on top of each other, so the order of the colours
// does not matter.
void PicturePlayer::paintJoinedFills()
{
    std::sort(m_joined.begin(), m_joined.end(), [](const JoinedFill& a, const JoinedFill& b) {
        return std::tuple(a.colour, a.rect.left(), a.rect.width(), a.rect.top()) <
               std::tuple(b.colour, b.rect.left(), b.rect.width(), b.rect.top());
    });
    for (std::size_t i = 0; i < m_joined.size();) {
        QRectF joined = m_joined[i].rect;
        std::size_t next = i + 1;
        for (; next < m_joined.size(); ++next) {
            const JoinedFill& below = m_joined[next];
            if (below.colour != m_joined[i].colour || below.rect.left() != joined.left() ||
                below.rect.width() != joined.width() || below.rect.top() > joined.bottom())
                break;
            joined.setBottom(std::max(joined.bottom(), below.rect.bottom()));
        }
        paintOnDevice(joined, QColor::fromRgba(m_joined[i].colour));
        i = next;
    }
    m_joined.clear();
}

void PicturePlayer::fill(const QRectF& rect, const QColor& colour)
{
    if (rect.intersects(m_area) || (rect.isEmpty() && m_area.contains(rect.topLeft())))
        paintOnDevice(onDevicePixels(rect), colour);
}

// Edges snap to whole device pixels, and a fill thinner than a pixel takes one: borders and
// shadings stay crisp and meet without seams at every zoom.
QRectF PicturePlayer::onDevicePixels(const QRectF& rect) const
{
    const QRectF device = m_device.mapRect(rect);
    // Halves go to the pixel above (or to the left), so a line that ends a page half a pixel
    // above the gap stays in sight.
    const auto nearest = [](qreal edge) { return std::ceil(edge - 0.5); };
    return QRectF(nearest(device.left()), nearest(device.top()),
                  std::max(1.0, std::round(device.width())),
                  std::max(1.0, std::round(device.height())));
}

// Each fill is a rectangle of its own, which viewers of a PDF widen to a whole pixel when it is
// thinner. The pen and the brush change only with the colour: a painter would otherwise set
// them up and back for every fill.
void PicturePlayer::paintOnDevice(const QRectF& rect, const QColor& colour)
{
    if (m_fillColour != colour) {
        m_painter.setPen(Qt::NoPen);
        m_painter.setBrush(colour);
        m_fillColour = colour;
    }
    m_painter.drawRect(m_fromDevice.mapRect(rect));
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
    m_fillColour.reset();
    drawText(m_painter, m_fonts[*font], *flags & 1, box->topLeft(), box->width(), text,
             m_target.recorder);
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
    m_fillColour.reset();
    m_painter.drawPath(path);
    m_painter.setRenderHint(QPainter::Antialiasing, true);
    return true;
}

} // namespace quillory::doc
