// SPDX-License-Identifier: MIT

#include "preview/picture_area.h"

#include "preview/laid_out_schedule.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>

namespace quillory {

PictureArea::PictureArea(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Right presses come here, never as the parent's menu: the release decides.
    setContextMenuPolicy(Qt::PreventContextMenu);
}

PictureArea::~PictureArea() = default;

void PictureArea::setPicture(const QImage& picture)
{
    m_picture = picture;
    m_fullResolution.reset();
    update();
}

void PictureArea::setFullResolution(std::shared_ptr<const LaidOutSchedule> schedule)
{
    m_fullResolution = std::move(schedule);
    update();
}

void PictureArea::paintEvent(QPaintEvent* event)
{
    const QRect exposed = event->rect();
    QPainter painter(this);
    painter.fillRect(exposed, Qt::white);
    if (m_fullResolution)
        m_fullResolution->paint(painter, exposed);
    else
        paintPicture(painter, exposed);
    painter.end();
    Q_EMIT painted();
}

void PictureArea::paintPicture(QPainter& painter, const QRect& exposed) const
{
    if (m_picture.isNull())
        return;
    const QRectF shown = QRectF(exposed) & QRectF(QPointF(0, 0), m_picture.deviceIndependentSize());
    if (shown.isEmpty())
        return;
    const qreal ratio = m_picture.devicePixelRatio();
    const QRectF source(shown.topLeft() * ratio, shown.size() * ratio);
    // A picture kept at a lower resolution than the screen's is stretched; smoothly, since only
    // the exposed part is drawn.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, ratio < devicePixelRatioF());
    painter.drawImage(shown, m_picture, source);
}

void PictureArea::mousePressEvent(QMouseEvent* event)
{
    m_rightPress =
        event->buttons() == Qt::RightButton ? std::optional(event->position()) : std::nullopt;
    Q_EMIT mousePressed(event->position());
}

void PictureArea::mouseMoveEvent(QMouseEvent* event)
{
    // A hand never holds still: the right button drags from the distance a drag starts at.
    if (m_rightPress) {
        if ((event->position() - *m_rightPress).manhattanLength() <
            QApplication::startDragDistance())
            return;
        m_rightPress.reset();
    }
    Q_EMIT mouseDragged(event->position(), event->buttons());
}

void PictureArea::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_rightPress && event->button() == Qt::RightButton) {
        m_rightPress.reset();
        Q_EMIT menuRequested(event->position().toPoint());
        return;
    }
    Q_EMIT mouseReleased();
}

} // namespace quillory
