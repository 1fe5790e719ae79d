// SPDX-License-Identifier: MIT

#pragma once

#include "document/paint/vector_picture.h"

#include <QByteArray>
#include <QHash>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QPainter;

namespace quillory::doc {

class RecordingDevice;

/// Records a vector picture page by page, each painted on a recording paint device: whatever a
/// painter draws there (fills, text, clips, shapes, images) becomes the page's commands. The
/// painter's unit is a twip; it may move its origin but never scale or turn.
class PictureRecorder {
public:
    /// A recorder of pages `width` twips wide, `gap` twips apart.
    explicit PictureRecorder(qreal width, qreal gap = 0);
    ~PictureRecorder();
    PictureRecorder(const PictureRecorder&) = delete;
    PictureRecorder& operator=(const PictureRecorder&) = delete;

    /// Records a page of `height` twips below the pages so far: `paint` paints it on a painter
    /// whose origin is the page's top-left corner.
    void recordPage(qreal height, const std::function<void(QPainter&)>& paint);
    /// Records, on the page being painted, a fill whose edges snap to the grid it is played at
    /// (a logical pixel on a screen, a device pixel on paper): a shading cut at `clip` where
    /// there is one, or a border line (`Border`) kept inside the page's text area.
    void gridFill(PictureCommand kind, const QRectF& rect, QRgb colour,
                  const std::optional<QRectF>& clip);
    /// Ends the last page recorded at `height` twips: a picture ends where its content ends.
    void endLastPageAt(qreal height);
    /// How far down the pages recorded reach, in twips.
    qreal height() const;
    /// The picture of the pages recorded, `extent` twips large.
    VectorPicture picture(QSizeF extent);

    /// The place of a font in the picture's list, added when new.
    quint16 fontIndex(const QFont& font);
    /// Where the page being painted puts its commands.
    QByteArray& body() { return m_body; }

private:
    qreal m_width;
    qreal m_gap;
    std::unique_ptr<RecordingDevice> m_device;
    std::vector<PicturePage> m_pages;
    std::vector<QFont> m_fonts;
    QHash<QFont, quint16> m_fontIndex;
    QByteArray m_body;
    qreal m_top = 0;
};

} // namespace quillory::doc
