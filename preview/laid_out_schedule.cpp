#include "preview/laid_out_schedule.h"

#include "document/document_file.h"
#include "document/renderer.h"

#include <QPainter>

#include <exception>

namespace quillory {

std::unique_ptr<LaidOutSchedule> LaidOutSchedule::read(const OwnFile& wordDocument)
{
    try {
        return std::unique_ptr<LaidOutSchedule>(new LaidOutSchedule(
            doc::layOutDocument(doc::readDocument(wordDocument.readAll(), wordDocument.path()))));
    } catch (const std::exception&) {
        // The snapshot still shows the schedule, only less sharply.
        return nullptr;
    }
}

LaidOutSchedule::LaidOutSchedule(doc::DocumentLayout layout)
    : m_layout(std::move(layout))
{
}

void LaidOutSchedule::paint(QPainter& painter, const QRectF& area) const
{
    constexpr qreal twips = doc::TwipsPerPixel;
    painter.save();
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    painter.scale(1 / twips, 1 / twips);
    doc::paintMainText(painter, m_layout, QRectF(area.topLeft() * twips, area.size() * twips),
                       twips / painter.device()->devicePixelRatioF());
    painter.restore();
}

} // namespace quillory
