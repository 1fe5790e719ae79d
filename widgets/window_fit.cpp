// SPDX-License-Identifier: MIT

#include "widgets/window_fit.h"

#include <QApplication>
#include <QEvent>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace quillory {

using namespace Qt::StringLiterals;

namespace {

// The whole length where it fits, else the length the room leaves.
int fitted(int length, int room)
{
    return std::min(length, std::max(1, room));
}

// From `low` on, and as far from `high` as the length allows.
int within(int start, int length, int low, int high)
{
    return std::max(low, std::min(start, high - length));
}

} // namespace

WindowPlacement placeWindow(QSize laidOut, QMargins frame, QRect available, int scrollBarExtent)
{
    const QSize room = available.size().shrunkBy(frame);
    bool across = laidOut.width() > room.width();
    bool down = laidOut.height() > room.height();
    // A scroll bar on one side takes room from the other.
    down = down || (across && laidOut.height() + scrollBarExtent > room.height());
    across = across || (down && laidOut.width() + scrollBarExtent > room.width());
    down = down || (across && laidOut.height() + scrollBarExtent > room.height());
    const bool scrolls = across || down;
    const QSize client =
        scrolls ? QSize(fitted(laidOut.width() + (down ? scrollBarExtent : 0), room.width()),
                        fitted(laidOut.height() + (across ? scrollBarExtent : 0), room.height()))
                : laidOut;
    const QSize outer = client.grownBy(frame);
    const QPoint centred =
        available.topLeft() +
        QPoint(available.width() - outer.width(), available.height() - outer.height()) / 2;
    return {{within(centred.x(), outer.width(), available.left(), available.right() + 1),
             within(centred.y(), outer.height(), available.top(), available.bottom() + 1)},
            client,
            scrolls};
}

WindowFit::WindowFit(QWidget& window)
    : QObject(&window)
    , m_window(window)
    , m_laidOut(window.size())
{
    window.installEventFilter(this);
}

void WindowFit::centre()
{
    m_centring = true;
    fit();
}

bool WindowFit::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != &m_window)
        return false;
    switch (event->type()) {
    case QEvent::Show:
    case QEvent::ScreenChangeInternal: fit(); break;
    // Centred for one showing; later showings keep the place the user chose.
    case QEvent::Hide: m_centring = false; break;
    // The window manager has framed the window: its frame's size is known now (it may frame it
    // where it was asked to, without moving it).
    case QEvent::Move:
    case QEvent::WindowActivate:
        if (m_window.isVisible() && frameMargins() != m_fittedFrame)
            fit();
        break;
    default: break;
    }
    return false;
}

void WindowFit::fit()
{
    const QScreen* screen = m_window.screen();
    if (!screen)
        return;
    m_fittedFrame = frameMargins();
    const QRect available = screen->availableGeometry();
    const WindowPlacement place =
        placeWindow(m_laidOut, m_fittedFrame, available,
                    m_window.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &m_window));
    if (place.scrolls && !m_scrolling)
        scrollContent();
    m_window.setFixedSize(place.client);
    if (auto* area =
            m_window.findChild<QScrollArea*>(u"WindowFitArea"_s, Qt::FindDirectChildrenOnly))
        area->setGeometry(m_window.rect());
    const QSize outer = place.client.grownBy(m_fittedFrame);
    const QPoint kept(
        within(m_window.x(), outer.width(), available.left(), available.right() + 1),
        within(m_window.y(), outer.height(), available.top(), available.bottom() + 1));
    m_window.move(m_centring ? place.frameTopLeft : kept);
}

// The controls move, as laid out, into a scrolling area that fills the window; the tab order
// goes with them, and the control that takes the focus is scrolled into view.
void WindowFit::scrollContent()
{
    QList<QWidget*> tabOrder;
    for (QWidget* next = m_window.nextInFocusChain(); next && next != &m_window;
         next = next->nextInFocusChain())
        tabOrder.append(next);
    auto* content = new QWidget;
    content->setFixedSize(m_laidOut);
    for (QWidget* control : m_window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (control->isWindow())
            continue;
        const bool shown = !control->isHidden();
        control->setParent(content);
        control->setVisible(shown);
    }
    auto* area = new QScrollArea(&m_window);
    area->setObjectName(u"WindowFitArea"_s);
    area->setFrameShape(QFrame::NoFrame);
    area->setFocusPolicy(Qt::NoFocus);
    area->setWidget(content);
    // The window's own background shows through, as it did behind the controls.
    area->viewport()->setAutoFillBackground(false);
    content->setAutoFillBackground(false);
    area->show();
    for (qsizetype i = 0; i + 1 < tabOrder.size(); ++i)
        QWidget::setTabOrder(tabOrder[i], tabOrder[i + 1]);
    // Only a move of the focus within the window: the window opens showing its top left.
    connect(qApp, &QApplication::focusChanged, area, [area, content](QWidget* old, QWidget* now) {
        if (old && now && content->isAncestorOf(old) && content->isAncestorOf(now))
            area->ensureWidgetVisible(now);
    });
    m_scrolling = true;
}

QMargins WindowFit::frameMargins() const
{
    const QWindow* handle = m_window.windowHandle();
    return handle ? handle->frameMargins() : QMargins();
}

} // namespace quillory
