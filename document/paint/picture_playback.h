// SPDX-License-Identifier: MIT

#pragma once

#include "document/paint/vector_picture.h"

#include <QColor>
#include <QFont>
#include <QRectF>
#include <QTransform>

#include <optional>
#include <vector>

class QPainter;

namespace quillory::doc {

class PictureBytesReader;

/// Plays one page's commands of a vector picture on a painter whose unit is a twip from the
/// page's top-left corner, skipping what lies outside the area.
class PicturePlayer {
public:
    /// Plays on `painter` with the picture's fonts, only what meets `area` (twips on the page),
    /// for `target`.
    PicturePlayer(QPainter& painter, const std::vector<QFont>& fonts, const QRectF& area,
                  const PageTarget& target);

    /// Plays the commands; false when they are damaged (playing stops there).
    bool play(const char* commands, qint64 size);
    /// Fills the rectangle (twips on the page), its edges on the device's pixels, when it meets
    /// the area.
    void fill(const QRectF& rect, const QColor& colour);

private:
    struct JoinedFill {
        QRectF rect; ///< on the device's pixels
        QRgb colour;
    };

    QRectF onDevicePixels(const QRectF& rect) const;
    void paintOnDevice(const QRectF& rect, const QColor& colour);
    void paintJoinedFills();
    bool playFill(PictureBytesReader& reader);
    bool playGridFill(PictureBytesReader& reader, bool border);
    bool playText(PictureBytesReader& reader);
    bool playClip(PictureBytesReader& reader);
    bool playStreamed(PictureBytesReader& reader, bool image);

    QPainter& m_painter;
    const std::vector<QFont>& m_fonts;
    QRectF m_area;
    PageTarget m_target;
    QTransform m_device;
    QTransform m_fromDevice;
    std::optional<QColor> m_fillColour; ///< the brush while fills are painted, none otherwise
    std::vector<JoinedFill> m_joined;   ///< fills waiting to be joined
};

} // namespace quillory::doc
