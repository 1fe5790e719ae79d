// SPDX-License-Identifier: MIT

#include "document/paint/vector_picture.h"

#include "document/paint/picture_bytes.h"
#include "document/paint/picture_playback.h"

#include <QDataStream>
#include <QIODevice>
#include <QPainter>

#include <cmath>

namespace quillory::doc {

namespace {

// Magic, header size, page and font counts, a reserved word, then the extent and the page width.
constexpr qint64 FixedHeaderBytes = 8 + 4 * 4 + 3 * 8;
constexpr qint64 PageEntryBytes = 4 * 8;
// Far beyond any schedule (32,766 classes take about 2,700 pages), and it keeps a damaged count
// from asking for gigabytes.
constexpr quint32 MostPages = 1 << 20;
constexpr quint32 MostFonts = 1 << 12;
constexpr double LargestSide = 1e9;
// What lies between two pages.
const QColor GapColor(0xd0, 0xd0, 0xd0);
// Everything on paper: nothing is left out for lying outside a view.
const QRectF WholePage(-LargestSide, -LargestSide, 2 * LargestSide, 2 * LargestSide);

QByteArray fontBytes(const QFont& font)
{
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream.setVersion(QDataStream::Qt_6_0);
    stream << font;
    return bytes;
}

std::optional<QFont> readFont(PictureBytesReader& reader)
{
    const std::optional<quint32> size = reader.get<quint32>();
    const char* data = size ? reader.take(*size) : nullptr;
    if (!data)
        return std::nullopt;
    QDataStream stream(QByteArray::fromRawData(data, *size));
    stream.setVersion(QDataStream::Qt_6_0);
    QFont font;
    stream >> font;
    if (stream.status() != QDataStream::Ok)
        return std::nullopt;
    return font;
}

bool isSide(double length)
{
    return std::isfinite(length) && length >= 0 && length < LargestSide;
}

std::optional<PicturePage> readPage(PictureBytesReader& reader, qint64 bodySize)
{
    const std::optional<double> top = reader.get<double>();
    const std::optional<double> height = reader.get<double>();
    const std::optional<quint64> offset = reader.get<quint64>();
    const std::optional<quint64> size = reader.get<quint64>();
    if (!size || !isSide(*top) || !isSide(*height) || *offset > quint64(bodySize) ||
        *size > quint64(bodySize) - *offset)
        return std::nullopt;
    return PicturePage{*top, *height, qint64(*offset), qint64(*size)};
}

} // namespace

VectorPicture::VectorPicture(QSizeF extent, qreal pageWidth, std::vector<PicturePage> pages,
                             std::vector<QFont> fonts, QByteArray body)
    : m_extent(extent)
    , m_pageWidth(pageWidth)
    , m_pages(std::move(pages))
    , m_fonts(std::move(fonts))
    , m_body(std::move(body))
{
}

VectorPicture VectorPicture::fromBitmap(const QImage& bitmap)
{
    VectorPicture picture;
    picture.m_bitmap = bitmap;
    picture.m_extent = bitmap.deviceIndependentSize() * TwipsPerPixel;
    picture.m_pageWidth = picture.m_extent.width();
    picture.m_pages = {PicturePage{0, picture.m_extent.height(), 0, 0}};
    return picture;
}

QByteArray VectorPicture::header() const
{
    std::vector<QByteArray> fonts;
    qint64 size = FixedHeaderBytes + PageEntryBytes * qint64(m_pages.size());
    for (const QFont& font : m_fonts) {
        fonts.push_back(fontBytes(font));
        size += 4 + fonts.back().size();
    }
    QByteArray bytes;
    bytes.reserve(size);
    PictureBytesWriter out(bytes);
    out.putRaw(Magic.data(), Magic.size());
    out.put(quint32(size));
    out.put(quint32(m_pages.size()));
    out.put(quint32(m_fonts.size()));
    out.put(quint32(0));
    out.put(double(m_extent.width()));
    out.put(double(m_extent.height()));
    out.put(double(m_pageWidth));
    for (const PicturePage& page : m_pages) {
        out.put(page.top);
        out.put(page.height);
        out.put(quint64(page.offset));
        out.put(quint64(page.size));
    }
    for (const QByteArray& font : fonts) {
        out.put(quint32(font.size()));
        out.putRaw(font.constData(), font.size());
    }
    return bytes;
}

std::optional<VectorPicture> VectorPicture::recognise(QByteArray bytes,
                                                      std::shared_ptr<const void> owner)
{
    if (!bytes.startsWith(Magic))
        return std::nullopt;
    PictureBytesReader reader(bytes.constData() + Magic.size(), bytes.size() - Magic.size());
    const std::optional<quint32> headerSize = reader.get<quint32>();
    const std::optional<quint32> pageCount = reader.get<quint32>();
    const std::optional<quint32> fontCount = reader.get<quint32>();
    reader.get<quint32>();
    const std::optional<double> width = reader.get<double>();
    const std::optional<double> height = reader.get<double>();
    const std::optional<double> pageWidth = reader.get<double>();
    if (!pageWidth || *headerSize > bytes.size() || *headerSize < FixedHeaderBytes ||
        *pageCount == 0 || *pageCount > MostPages || *fontCount > MostFonts || !isSide(*width) ||
        !isSide(*height) || !isSide(*pageWidth))
        return std::nullopt;
    VectorPicture picture;
    picture.m_extent = QSizeF(*width, *height);
    picture.m_pageWidth = *pageWidth;
    const qint64 bodySize = bytes.size() - *headerSize;
    PictureBytesReader index(bytes.constData() + FixedHeaderBytes, *headerSize - FixedHeaderBytes);
    for (quint32 i = 0; i < *pageCount; ++i) {
        const std::optional<PicturePage> page = readPage(index, bodySize);
        if (!page)
            return std::nullopt;
        picture.m_pages.push_back(*page);
    }
    for (quint32 i = 0; i < *fontCount; ++i) {
        std::optional<QFont> font = readFont(index);
        if (!font)
            return std::nullopt;
        picture.m_fonts.push_back(*font);
    }
    if (!index.atEnd())
        return std::nullopt;
    // The body stays where it lies (a file's mapping, for one), never copied.
    if (!owner)
        owner = std::make_shared<const QByteArray>(bytes);
    picture.m_body = QByteArray::fromRawData(bytes.constData() + *headerSize, bodySize);
    picture.m_owner = std::move(owner);
    return picture;
}

void VectorPicture::play(QPainter& painter, const QRectF& area) const
{
    painter.save();
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    if (!m_bitmap.isNull()) {
        const QRectF target(QPointF(0, 0), m_extent);
        // Stretched smoothly unless it lands pixel for pixel.
        const QRectF shown = painter.deviceTransform().mapRect(target);
        painter.setRenderHint(QPainter::SmoothPixmapTransform,
                              shown.size().toSize() != m_bitmap.size());
        painter.drawImage(target, m_bitmap);
    } else {
        for (std::size_t i = 0; i < m_pages.size(); ++i) {
            const PicturePage& page = m_pages[i];
            if (page.top >= area.bottom())
                break;
            const double end = i + 1 < m_pages.size() ? m_pages[i + 1].top : page.top + page.height;
            if (end > area.top())
                playPage(painter, i, area.translated(0, -page.top));
        }
    }
    painter.restore();
}

// On a screen, shadings and borders snap to logical pixels; the last page's borders stay inside
// what is shown of it. The gap below a page is painted with it.
void VectorPicture::playPage(QPainter& painter, std::size_t index, const QRectF& area) const
{
    const PicturePage& page = m_pages[index];
    painter.save();
    painter.translate(0, page.top);
    PicturePlayer player(painter, m_fonts, area,
                         {QSizeF(m_pageWidth, page.height), TwipsPerPixel, nullptr});
    player.play(m_body.constData() + page.offset, page.size);
    if (index + 1 < m_pages.size()) {
        painter.setClipping(false);
        player.fill(
            QRectF(0, page.height, m_pageWidth, m_pages[index + 1].top - page.top - page.height),
            GapColor);
    }
    painter.restore();
}

void VectorPicture::playOnPaper(QPainter& painter, std::size_t index, const PageTarget& paper) const
{
    painter.save();
    if (!m_bitmap.isNull()) {
        painter.drawImage(QRectF(QPointF(0, 0), m_extent), m_bitmap);
    } else {
        const PicturePage& page = m_pages.at(index);
        PicturePlayer player(painter, m_fonts, WholePage, paper);
        player.play(m_body.constData() + page.offset, page.size);
    }
    painter.restore();
}

QImage VectorPicture::toImage(qreal devicePixelRatio) const
{
    const QSize logical(int(std::ceil(m_extent.width() / TwipsPerPixel)),
                        int(std::ceil(m_extent.height() / TwipsPerPixel)));
    QImage image((QSizeF(logical.expandedTo({1, 1})) * devicePixelRatio).toSize(),
                 QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return image;
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(Qt::white);
    QPainter painter(&image);
    // Qt's painter scales by the image's ratio only when it is above 1; a lowered ratio is
    // applied here, so the picture fills the smaller bitmap instead of overflowing it.
    const qreal unapplied = devicePixelRatio / painter.deviceTransform().m11();
    painter.scale(unapplied / TwipsPerPixel, unapplied / TwipsPerPixel);
    play(painter, QRectF(QPointF(0, 0), m_extent));
    return image;
}

} // namespace quillory::doc
