#include "preview/picture_area.h"

#include <QMouseEvent>
#include <QPainter>

namespace quillory {

PictureArea::PictureArea(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureArea::setPicture(const QPixmap& picture)
{
    m_picture = picture;
    update();
}

void PictureArea::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), Qt::white);
    painter.drawPixmap(0, 0, m_picture);
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
