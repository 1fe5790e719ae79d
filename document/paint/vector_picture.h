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

class GlyphTextRecorder;

/// Twips per logical pixel of the picture: 96 pixels per inch.
inline constexpr int TwipsPerPixel = 15;

/// One page of a vector picture: where it lies and where its commands are. Pages lie one below
/// the other; the space between two is a grey gap.
struct PicturePage {
    double top = 0;    ///< twips from the picture's top
    double height = 0; ///< twips, down to its last content on a picture's last page
    qint64 offset = 0; ///< its commands' first byte in the body
    qint64 size = 0;   ///< bytes of its commands
};

/// What a page is played for: the text area its borders stay inside, the grid its shadings and
/// borders snap to (a logical pixel on a screen, a device pixel on paper), who notes the glyphs
/// it draws, and whether shadings and borders of one colour that continue one another down the
/// page are painted as one (on paper: the same ink in far fewer rectangles).
struct PageTarget {
    QSizeF area;                           ///< twips
    qreal grid = 1;                        ///< twips
    GlyphTextRecorder* recorder = nullptr; ///< none when nobody notes them
    bool joinFills = false;                ///< join them
};

/// The pages of a picture, top first.
using PicturePages = std::vector<PicturePage>;

/// A picture of the main text as a metafile of our own: the page index, the fonts, then each
/// page's painting commands (fills, text as characters with their font, clips, anything else as
/// a path or an image), in twips from the page's top-left corner. A bitmap read from elsewhere
/// is held as it is instead. Playing it paints only the pages that meet the area asked for, at
/// whatever resolution the painter has, so it is sharp at every zoom and screen; a page played
/// on paper is what a printer or a PDF shows of it.
class VectorPicture {
public:
    /// The bytes every picture file of this kind begins with.
    static constexpr QByteArrayView Magic = "QLRYVPC2";

    /// A picture of `extent` twips from its recorded pages, each `pageWidth` twips wide: `body`
    /// holds their commands, `fonts` the fonts those commands name by their place in the list.
    VectorPicture(QSizeF extent, qreal pageWidth, std::vector<PicturePage> pages,
                  std::vector<QFont> fonts, QByteArray body);
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
    /// painter whose unit is a twip from that corner, as a screen shows it: shadings and borders
    /// snap to logical pixels, then every fill to the painter's device pixels, so lines stay
    /// crisp; damaged commands end their page's painting.
    void play(QPainter& painter, const QRectF& area) const;
    /// Paints the page whole on paper, its top-left corner at the painter's origin (whose unit
    /// is a twip): fills snap to the paper's device pixels and borders stay inside its text area.
    void playOnPaper(QPainter& painter, std::size_t page, const PageTarget& paper) const;
    /// The whole picture as a bitmap at the device pixel ratio, white behind, 15 twips a logical
    /// pixel; a null image when there is not the memory for it.
    QImage toImage(qreal devicePixelRatio) const;

private:
    VectorPicture() = default;
    void playPage(QPainter& painter, std::size_t index, const QRectF& area) const;

    QSizeF m_extent;
    qreal m_pageWidth = 0;
    std::vector<PicturePage> m_pages;
    std::vector<QFont> m_fonts;
    QByteArray m_body;
    std::shared_ptr<const void> m_owner;
    QImage m_bitmap;
};

/// The commands a page's body is made of; each begins with its one-byte code.
enum class PictureCommand : quint8 {
    Fill = 1,    ///< colour (32 bits), rectangle (four floats)
    Text = 2,    ///< font, colour, direction, baseline point, width, ascent, descent, characters
    Clip = 3,    ///< whether a clip holds, then its rectangle
    Shape = 4,   ///< a path, pen, brush and antialiasing, in Qt's own stream form
    Image = 5,   ///< target and source rectangles and an image, in Qt's own stream form
    Shading = 6, ///< colour, rectangle (four doubles): a fill whose edges snap to the grid
    Border = 7,  ///< as Shading, and kept inside the page's text area across its thickness
};

} // namespace quillory::doc
