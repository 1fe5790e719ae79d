// SPDX-License-Identifier: MIT

#pragma once

#include "document/paint/vector_picture.h"

#include <QPointF>
#include <QSizeF>
#include <QWidget>

#include <memory>
#include <optional>

namespace quillory {

/// A white picture area that shows a part of its picture at its top-left corner, stretched to a
/// size, and keeps it until it is given another. A repaint plays back only the part of the
/// picture that is exposed, at the screen's resolution, however tall the picture: it is sharp
/// at every zoom. It reports the mouse buttons and the pointer's moves while a button is held;
/// the right button drags only once the pointer has moved, and a right click without a move
/// asks for the picture's menu.
class PictureArea final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PictureArea)

public:
    /// An empty area inside the parent.
    explicit PictureArea(QWidget* parent);
    ~PictureArea() override;

    /// The picture shown: its part of `source` twips from its top-left corner stretched over
    /// `target` twips, both taken in whole logical pixels (so at the same size a twip is a
    /// fifteenth of a pixel exactly). None leaves the area blank.
    void setPicture(std::shared_ptr<const doc::VectorPicture> picture, QSizeF source,
                    QSizeF target);
    /// The picture shown whole at its own size; none leaves the area blank.
    void setPicture(std::shared_ptr<const doc::VectorPicture> picture);
    /// The picture shown.
    const std::shared_ptr<const doc::VectorPicture>& picture() const { return m_picture; }
    /// The twips of the picture shown and the twips they are stretched over.
    std::pair<QSizeF, QSizeF> shownPart() const { return {m_source, m_target}; }

Q_SIGNALS:
    /// A mouse button went down at the position (logical pixels in the area).
    void mousePressed(QPointF position);
    /// The pointer moved to the position while the buttons are held.
    void mouseDragged(QPointF position, Qt::MouseButtons buttons);
    /// A mouse button went up.
    void mouseReleased();
    /// The right button was clicked without moving, at the position (logical pixels).
    void menuRequested(QPoint position);
    /// The area has been painted.
    void painted();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    std::shared_ptr<const doc::VectorPicture> m_picture;
    QSizeF m_source;
    QSizeF m_target;
    std::optional<QPointF> m_rightPress; ///< where the right button went down, until it drags
};

} // namespace quillory
