// SPDX-License-Identifier: MIT

#include "widgets/held_input.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include <algorithm>

namespace quillory {

namespace {

// Long enough to take what the window system holds for the program; nothing is waited for.
constexpr int DrainMilliseconds = 200;

bool isUserInput(const QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Wheel:
    case QEvent::ContextMenu: return true;
    case QEvent::Close:
        return event->spontaneous(); // the close box; the program's own closing goes on
    default: return false;
    }
}

// Input for a widget, other than a modal dialog the work opened (which answers as usual). The
// window system's windows pass it on to their widgets, where it is judged.
bool isHeldOff(const QObject* receiver)
{
    const auto* widget = qobject_cast<const QWidget*>(receiver);
    const QWidget* modal = QApplication::activeModalWidget();
    return widget && !(modal && widget->window() == modal);
}

bool isAnyWindowShown()
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    return std::any_of(windows.cbegin(), windows.cend(), [](const QWidget* window) {
        return window->isVisible() && window->windowType() != Qt::Popup;
    });
}

} // namespace

HeldInput::HeldInput()
{
    QCoreApplication::instance()->installEventFilter(this);
}

HeldInput::~HeldInput()
{
    // With every window closed the program is ending: nothing is left to click, and what the
    // window system still holds is not worth the wait.
    if (isAnyWindowShown())
        QCoreApplication::processEvents(QEventLoop::AllEvents, DrainMilliseconds);
    QCoreApplication::instance()->removeEventFilter(this);
}

bool HeldInput::eventFilter(QObject* watched, QEvent* event)
{
    if (!isUserInput(event) || !isHeldOff(watched))
        return false;
    // Accepted, a key held off is not taken for a shortcut either.
    event->accept();
    if (event->type() == QEvent::Close)
        event->ignore();
    return true;
}

} // namespace quillory
