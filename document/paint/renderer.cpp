// SPDX-License-Identifier: MIT

#include "document/paint/renderer.h"

#include "document/paint/page_painting.h"
#include "document/paint/picture_recorder.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace quillory::doc {

namespace {

// The gap between two pages in the picture, in twips: ten logical pixels.
constexpr int PageGap = 150;

// Records a layout's pages one below the other as they come.
class MainTextRecording {
public:
    explicit MainTextRecording(QSizeF textArea)
        : m_textArea(textArea)
        , m_recorder(textArea.width(), PageGap)
    {
    }

    void add(const LaidOutPage& page)
    {
        m_recorder.recordPage(m_textArea.height(), [&](QPainter& painter) {
            recordLaidOutPage(painter, m_recorder, page, m_textArea);
        });
        m_lastBottom = contentBottom(page, m_textArea);
    }

    // The last page ends at its last content; the extent is in whole logical pixels.
    VectorPicture picture()
    {
        m_recorder.endLastPageAt(m_lastBottom);
        const auto wholePixels = [](qreal twips) {
            return std::max(1.0, std::ceil(twips / TwipsPerPixel)) * TwipsPerPixel;
        };
        return m_recorder.picture(
            QSizeF(wholePixels(m_textArea.width()), wholePixels(m_recorder.height())));
    }

private:
    QSizeF m_textArea;
    PictureRecorder m_recorder;
    qreal m_lastBottom = 0;
};

} // namespace

qreal contentBottom(const LaidOutPage& page, const QSizeF& textArea)
{
    qreal bottom = 0;
    for (const PlacedParagraph& placed : page.paragraphs) {
        const int last = placed.firstLine + placed.lineCount - 1;
        bottom = std::max(bottom, placed.origin.y() + placed.layout->lineTop(last) +
                                      placed.layout->lineHeight(last));
    }
    for (const auto* fills : {&page.shadings, &page.borders}) {
        for (const PlacedFill& fill : *fills)
            bottom = std::max(bottom, fill.rect.bottom());
    }
    return std::min(bottom, textArea.height());
}

qreal bitmapRatio(QSizeF extent, qreal wanted)
{
    const qreal pixels = std::max(1.0, extent.width() / TwipsPerPixel) *
                         std::max(1.0, extent.height() / TwipsPerPixel);
    const qreal fitting = std::sqrt(MaxPicturePixels / pixels);
    const qreal steps = std::max(1.0, std::floor(fitting * PictureRatioSteps));
    return std::min(wanted, steps / PictureRatioSteps);
}

VectorPicture recordMainText(const DocumentLayout& layout)
{
    MainTextRecording recording(layout.textArea());
    for (const LaidOutPage& page : layout.pages())
        recording.add(page);
    return recording.picture();
}

VectorPicture recordDocument(const Document& document)
{
    MainTextRecording recording(QSizeF(document.page.textWidth(), document.page.textHeight()));
    layOutPages(document, [&](const LaidOutPage& page) { recording.add(page); });
    return recording.picture();
}

QImage renderMainText(const DocumentLayout& layout, qreal devicePixelRatio)
{
    return recordMainText(layout).toImage(devicePixelRatio);
}

} // namespace quillory::doc
