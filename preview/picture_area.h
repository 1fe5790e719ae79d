#pragma once

#include <QImage>
#include <QPointF>
#include <QWidget>

namespace quillory {

/// A white picture area that shows its picture at its top-left corner and keeps it until it is
/// given another, so moving or uncovering it never scales the picture anew; a repaint copies
/// only the part of the picture that is exposed, however tall the picture. It reports the mouse
/// buttons and the pointer's moves while a button is held.
class PictureArea final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PictureArea)

public:
    /// An empty area inside the parent.
    explicit PictureArea(QWidget* parent);

    /// The picture shown, at its device pixel ratio; a null image leaves the area blank.
    void setPicture(const QImage& picture);
    /// The picture shown.
    const QImage& picture() const { return m_picture; }

Q_SIGNALS:
    /// A mouse button went down at the position (logical pixels in the area).
    void mousePressed(QPointF position);
    /// The pointer moved to the position while the buttons are held.
    void mouseDragged(QPointF position, Qt::MouseButtons buttons);
    /// A mouse button went up.
    void mouseReleased();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QImage m_picture;
};

} // namespace quillory
