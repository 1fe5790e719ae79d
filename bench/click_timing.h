// SPDX-License-Identifier: MIT

#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QGuiApplication>
#include <QProcess>
#include <QTest>
#include <QWindow>

#include <functional>

namespace quillory::bench {

/// Times one click: from the button's release to the first paint of the widget named `painted`
/// in a window that is on screen, once that paint has been handed on (a queued call runs after
/// it). Watches every widget, so the window may be made by the click itself.
class ClickTiming final : public QObject {
public:
    ClickTiming(QAbstractButton* button, QString painted)
        : m_button(button)
        , m_painted(std::move(painted))
    {
        m_clock.start();
        qApp->installEventFilter(this);
    }
    ~ClickTiming() override { qApp->removeEventFilter(this); }

    /// Starts watching for the next click.
    void reset() { m_startNs = m_endNs = -1; }
    /// Whether the watched widget was painted after the click.
    bool done() const { return m_endNs >= 0; }
    /// Milliseconds from the release to the paint.
    double elapsedMs() const { return double(m_endNs - m_startNs) / 1e6; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_button && event->type() == QEvent::MouseButtonRelease && m_startNs < 0)
            m_startNs = m_clock.nsecsElapsed();
        if (event->type() == QEvent::Paint && m_startNs >= 0 && m_endNs < 0 &&
            watched->objectName() == m_painted) {
            const auto* widget = static_cast<const QWidget*>(watched);
            if (widget->window()->windowHandle() && widget->window()->windowHandle()->isExposed())
                QMetaObject::invokeMethod(
                    this, [this] { m_endNs = m_clock.nsecsElapsed(); }, Qt::QueuedConnection);
        }
        return false;
    }

private:
    QAbstractButton* m_button;
    QString m_painted;
    QElapsedTimer m_clock;
    qint64 m_startNs = -1;
    qint64 m_endNs = -1;
};

/// A real click through the X server (xdotool) where there is one, a synthetic one otherwise.
inline void clickOnScreen(QAbstractButton* button)
{
    if (QGuiApplication::platformName() != QStringLiteral("xcb")) {
        QTest::mouseClick(button, Qt::LeftButton);
        return;
    }
    const QPoint at = button->mapToGlobal(button->rect().center());
    QProcess::startDetached(QStringLiteral("xdotool"),
                            {QStringLiteral("mousemove"), QString::number(at.x()),
                             QString::number(at.y()), QStringLiteral("click"),
                             QStringLiteral("1")});
}

/// Runs events as they come until the condition holds (at most a minute); a sleeping wait would
/// add its sleep to the time measured.
inline bool runUntil(const std::function<bool()>& condition)
{
    QElapsedTimer waited;
    waited.start();
    while (!condition()) {
        if (waited.elapsed() > 60000)
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
    return true;
}

} // namespace quillory::bench
