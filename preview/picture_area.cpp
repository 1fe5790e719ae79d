#include "preview/picture_area.h"

#include <QMouseEvent>
#include <QPainter>

namespace quillory {

PictureArea::PictureArea(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureArea::setPicture(const QImage& picture)
{
    m_picture = picture;
    update();
}

void PictureArea::paintEvent(QPaintEvent* event)
{
    const QRect exposed = event->rect();
    QPainter painter(this);
    painter.fillRect(exposed, Qt::white);
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
    Q_EMIT mousePressed(event->position());
}

void PictureArea::mouseMoveEvent(QMouseEvent* event)
{
    Q_EMIT mouseDragged(event->position(), event->buttons());
}

void PictureArea::mouseReleaseEvent(QMouseEvent*)
{
    Q_EMIT mouseReleased();
}

} // namespace quillory
