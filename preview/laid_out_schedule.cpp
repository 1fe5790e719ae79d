// SPDX-License-Identifier: MIT

#include "preview/laid_out_schedule.h"

#include "document/document_file.h"
#include "document/paint/renderer.h"

#include <QPainter>

namespace quillory {

std::shared_ptr<const LaidOutSchedule> LaidOutSchedule::read(const OwnFile& wordDocument)
{
    return std::shared_ptr<const LaidOutSchedule>(
        new LaidOutSchedule(doc::readDocument(wordDocument.readAll(), wordDocument.path())));
}

LaidOutSchedule::LaidOutSchedule(doc::Document document)
    : m_document(std::move(document))
    , m_layout(doc::layOutDocument(m_document))
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

WorkingSchedule::WorkingSchedule(std::shared_ptr<const OwnFile> file, SchoolWeek week)
    : m_file(std::move(file))
    , m_week(std::move(week))
{
}

std::shared_ptr<const LaidOutSchedule> WorkingSchedule::laidOut() const
{
    if (!m_laidOut)
        m_laidOut = LaidOutSchedule::read(*m_file);
    return m_laidOut;
}

} // namespace quillory
