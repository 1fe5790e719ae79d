// SPDX-License-Identifier: MIT

#pragma once

#include <QFont>
#include <QRectF>
#include <QTransform>

#include <vector>

class QPainter;

namespace quillory::doc {

class PictureBytesReader;

/// Plays one page's commands of a vector picture on a painter whose unit is a twip from the
/// page's top-left corner, skipping what lies outside the area.
class PicturePlayer {
public:
    /// Plays on `painter` with the picture's fonts, only what meets `area` (twips on the page).
    PicturePlayer(QPainter& painter, const std::vector<QFont>& fonts, const QRectF& area);

    /// Plays the commands; false when they are damaged (playing stops there).
    bool play(const char* commands, qint64 size);

private:
    bool playFill(PictureBytesReader& reader);
    bool playText(PictureBytesReader& reader);
    bool playClip(PictureBytesReader& reader);
    bool playStreamed(PictureBytesReader& reader, bool image);

    QPainter& m_painter;
    const std::vector<QFont>& m_fonts;
    QRectF m_area;
    QTransform m_device;
    QTransform m_fromDevice;
};

} // namespace quillory::doc
