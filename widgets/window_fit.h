// SPDX-License-Identifier: MIT

#pragma once

#include <QMargins>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace quillory {

/// Where a window laid out at a fixed size goes on a screen, and how large its client area is.
struct WindowPlacement {
    QPoint frameTopLeft;  ///< the top-left corner of the window with its frame
    QSize client;         ///< the client area: the laid-out size where it fits
    bool scrolls = false; ///< the laid-out content is larger than the client area and scrolls
};

/// The window of the laid-out size, with the frame the window manager adds, centred in the
/// screen's available area. Where it does not fit, the client area shrinks to what fits, and
/// the content scrolls inside it behind scroll bars `scrollBarExtent` wide. The frame's
/// top-left corner never leaves the area, so the title bar can always be reached.
WindowPlacement placeWindow(QSize laidOut, QMargins frame, QRect available, int scrollBarExtent);

/// Keeps a window laid out at a fixed size within its screen's available area, whatever the
/// scale of the screen: when it does not fit, its controls move into a scrolling area of the size
/// that fits, with their tab order, so that every control can be reached with the mouse. Where
/// the window fits, it keeps its laid-out size and nothing changes.
class WindowFit final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(WindowFit)

public:
    /// Watches `window` (and belongs to it) from now on; its present size is its laid-out size.
    explicit WindowFit(QWidget& window);

    /// Centres the window on its screen, fitted to it, for its next showing; again once the
    /// window manager tells the size of its frame.
    void centre();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fit();
    void scrollContent();
    QMargins frameMargins() const;

    QWidget& m_window;
    QSize m_laidOut;
    QMargins m_fittedFrame;
    bool m_centring = false;
    bool m_scrolling = false;
};

} // namespace quillory
