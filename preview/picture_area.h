// SPDX-License-Identifier: MIT

#pragma once

#include <QImage>
#include <QPointF>
#include <QWidget>

#include <memory>
#include <optional>

namespace quillory {

class LaidOutSchedule;

/// A white picture area that shows its picture at its top-left corner and keeps it until it is
/// given another, so moving or uncovering it never scales the picture anew; a repaint copies
/// only the part of the picture that is exposed, however tall the picture. It reports the mouse
/// buttons and the pointer's moves while a button is held; the right button drags only once the
/// pointer has moved, and a right click without a move asks for the picture's menu.
class PictureArea final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PictureArea)

public:
    /// An empty area inside the parent.
    explicit PictureArea(QWidget* parent);
    ~PictureArea() override;

    /// The picture shown, at its device pixel ratio; a null image leaves the area blank. Any
    /// full-resolution painting of the previous picture stops.
    void setPicture(const QImage& picture);
    /// The picture shown.
    const QImage& picture() const { return m_picture; }
    /// Paints the part of the picture in view from the schedule's layout, at the screen's full
    /// resolution, instead of from the picture; nothing goes back to the picture.
    void setFullResolution(std::shared_ptr<const LaidOutSchedule> schedule);
    /// Whether the picture is painted from the schedule's layout.
    bool paintsFullResolution() const { return m_fullResolution != nullptr; }

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
    void paintPicture(QPainter& painter, const QRect& exposed) const;

    QImage m_picture;
    std::shared_ptr<const LaidOutSchedule> m_fullResolution;
    std::optional<QPointF> m_rightPress; ///< where the right button went down, until it drags
};

} // namespace quillory
