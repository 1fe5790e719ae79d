// SPDX-License-Identifier: MIT

#pragma once

#include <QByteArray>
#include <QFont>
#include <QImage>
#include <QRectF>
#include <QSizeF>

#include <memory>
#include <optional>
#include <vector>

class QPainter;

namespace quillory::doc {

/// Twips per logical pixel of the picture: 96 pixels per inch.
inline constexpr int TwipsPerPixel = 15;

/// One page of a vector picture: where it lies and where its commands are.
struct PicturePage {
    double top = 0;    ///< twips from the picture's top
    double height = 0; ///< twips, its gap below included
    qint64 offset = 0; ///< its commands' first byte in the body
    qint64 size = 0;   ///< bytes of its commands
};

/// The pages of a picture, top first.
using PicturePages = std::vector<PicturePage>;

/// A picture of the main text as a metafile of our own: the page index, the fonts, then each
/// page's painting commands (fills, text as characters with their font, clips, anything else as
/// a path or an image), in twips from the page's top-left corner. A bitmap read from elsewhere
/// is held as it is instead. Playing it paints only the pages that meet the area asked for, at
/// whatever resolution the painter has, so it is sharp at every zoom and screen.
class VectorPicture {
public:
    /// The bytes every picture file of this kind begins with.
    static constexpr QByteArrayView Magic = "QLRYVPC1";

    /// A picture of `extent` twips from its recorded pages: `body` holds their commands, `fonts`
    /// the fonts those commands name by their place in the list.
    VectorPicture(QSizeF extent, std::vector<PicturePage> pages, std::vector<QFont> fonts,
                  QByteArray body);
    /// A bitmap as a picture: its extent is its size at its device pixel ratio, 15 twips a
    /// logical pixel.
    static VectorPicture fromBitmap(const QImage& bitmap);
    /// The picture the bytes hold when they begin with a sound header of this kind (the pages'
    /// commands are checked as they are played); nothing for any other bytes. `owner` keeps the
    /// memory the bytes lie in alive as long as the picture.
    static std::optional<VectorPicture> recognise(QByteArray bytes,
                                                  std::shared_ptr<const void> owner = {});

    /// The picture's size in twips.
    QSizeF extent() const { return m_extent; }
    /// The pages, top first (one for a bitmap).
    const std::vector<PicturePage>& pages() const { return m_pages; }
    /// The header (magic, extent, page index, fonts): what a file holds before the body.
    QByteArray header() const;
    /// The pages' commands.
    const QByteArray& body() const { return m_body; }
    /// The bitmap, for a picture that is one.
    const QImage& bitmap() const { return m_bitmap; }

    /// Paints the part of the picture within `area` (twips from its top-left corner) on a
    /// painter whose unit is a twip from that corner. Fills snap to the painter's device pixels,
    /// so lines stay crisp; damaged commands end their page's painting.
    void play(QPainter& painter, const QRectF& area) const;
    /// The whole picture as a bitmap at the device pixel ratio, white behind, 15 twips a logical
    /// pixel; a null image when there is not the memory for it.
    QImage toImage(qreal devicePixelRatio) const;

private:
    VectorPicture() = default;
    void playPage(QPainter& painter, const PicturePage& page, const QRectF& area) const;

    QSizeF m_extent;
    std::vector<PicturePage> m_pages;
    std::vector<QFont> m_fonts;
    QByteArray m_body;
    std::shared_ptr<const void> m_owner;
    QImage m_bitmap;
};

/// The commands a page's body is made of; each begins with its one-byte code.
enum class PictureCommand : quint8 {
    Fill = 1,  ///< colour (32 bits), rectangle (four floats)
    Text = 2,  ///< font, colour, direction, baseline point, width, ascent, descent, characters
    Clip = 3,  ///< whether a clip holds, then its rectangle
    Shape = 4, ///< a path, pen, brush and antialiasing, in Qt's own stream form
    Image = 5, ///< target and source rectangles and an image, in Qt's own stream form
};

} // namespace quillory::doc
