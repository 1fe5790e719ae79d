// SPDX-License-Identifier: MIT
// Scrolling the preview with the mouse wheel and the keys; the bars follow the picture.
#include "preview/form2.h"

#include <QApplication>
#include <QFrame>
#include <QScrollBar>
#include <QShortcut>
#include <QWheelEvent>

namespace quillory {

namespace {

// One notch of a common mouse wheel, in the eighths of a degree Qt reports.
constexpr double WheelNotch = 120;

} // namespace

// Shortcuts rather than key handlers: the keys scroll whichever control has the focus.
void Form2::createScrollKeys()
{
    for (const Qt::Key key : {Qt::Key_Up, Qt::Key_Down, Qt::Key_Left, Qt::Key_Right, Qt::Key_PageUp,
                              Qt::Key_PageDown, Qt::Key_Home, Qt::Key_End}) {
        connect(new QShortcut(QKeySequence(key), this), &QShortcut::activated, this, [this, key] {
            m_geometry.scrollByKey(key);
            showView();
        });
    }
    // Ctrl with plus, minus, 0 or the wheel zooms, as the zoom buttons do (0: back to 100 %).
    const auto zoomKeys = [this](const QList<QKeySequence>& keys, auto zoom) {
        for (const QKeySequence& key : keys)
            connect(new QShortcut(key, this), &QShortcut::activated, this, [this, zoom] {
                (m_geometry.*zoom)();
                showView();
            });
    };
    zoomKeys({QKeySequence::ZoomIn, Qt::CTRL | Qt::Key_Equal}, &PreviewGeometry::PushButton1_Click);
    zoomKeys({QKeySequence::ZoomOut}, &PreviewGeometry::PushButton2_Click);
    zoomKeys({Qt::CTRL | Qt::Key_0}, &PreviewGeometry::zoomToActualSize);
    for (QWidget* over : {static_cast<QWidget*>(Picture2), static_cast<QWidget*>(HScroll1),
                          static_cast<QWidget*>(VScroll1)})
        over->installEventFilter(this);
}

bool Form2::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::Wheel)
        return QWidget::eventFilter(watched, event);
    scrollByWheel(watched, *static_cast<QWheelEvent*>(event));
    return true;
}

// Over a bar the wheel moves along that bar; over the picture it scrolls up and down, or left
// and right with Shift held or for a sideways turn.
void Form2::scrollByWheel(const QObject* over, const QWheelEvent& wheel)
{
    const QPoint turn = wheel.angleDelta();
    if (wheel.modifiers().testFlag(Qt::ControlModifier)) {
        zoomByWheel(turn.y());
        return;
    }
    const double along = (turn.y() != 0 ? turn.y() : turn.x()) / WheelNotch;
    const int lines = QApplication::wheelScrollLines();
    if (over == VScroll1) {
        m_geometry.scrollByWheel(Qt::Vertical, along, lines);
    } else if (over == HScroll1 || wheel.modifiers().testFlag(Qt::ShiftModifier)) {
        m_geometry.scrollByWheel(Qt::Horizontal, along, lines);
    } else {
        m_geometry.scrollByWheel(Qt::Vertical, turn.y() / WheelNotch, lines);
        m_geometry.scrollByWheel(Qt::Horizontal, turn.x() / WheelNotch, lines);
    }
    showView();
}

} // namespace quillory

namespace quillory {

// A step a notch: away from the user zooms in. Finer wheels add up to a notch first.
void Form2::zoomByWheel(int eighthsOfADegree)
{
    m_zoomTurn += eighthsOfADegree;
    for (; m_zoomTurn >= WheelNotch; m_zoomTurn -= WheelNotch)
        m_geometry.PushButton1_Click();
    for (; m_zoomTurn <= -WheelNotch; m_zoomTurn += WheelNotch)
        m_geometry.PushButton2_Click();
    showView();
}

} // namespace quillory
