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
