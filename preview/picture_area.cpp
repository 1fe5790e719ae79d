// SPDX-License-Identifier: MIT

#include "preview/picture_area.h"

#include "widgets/twips.h"

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

void PictureArea::setPicture(std::shared_ptr<const doc::VectorPicture> picture, QSizeF source,
                             QSizeF target)
{
    m_picture = std::move(picture);
    m_source = source;
    m_target = target;
    update();
}

void PictureArea::setPicture(std::shared_ptr<const doc::VectorPicture> picture)
{
    const QSizeF extent = picture ? picture->extent() : QSizeF();
    setPicture(std::move(picture), extent, extent);
}

void PictureArea::paintEvent(QPaintEvent* event)
{
    const QRect exposed = event->rect();
    QPainter painter(this);
    painter.fillRect(exposed, Qt::white);
    const QSizeF sourcePixels(pixelsFromTwips(m_source.width()),
                              pixelsFromTwips(m_source.height()));
    if (m_picture && !sourcePixels.isEmpty()) {
        painter.scale(pixelsFromTwips(m_target.width()) / sourcePixels.width() / TwipsPerPixel,
                      pixelsFromTwips(m_target.height()) / sourcePixels.height() / TwipsPerPixel);
        m_picture->play(painter, painter.transform().inverted().mapRect(QRectF(exposed)));
    }
    painter.end();
    Q_EMIT painted();
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
