// SPDX-License-Identifier: MIT

#include "widgets/window_pointer.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QPixmap>
#include <QWidget>
#include <QtEndian>

namespace quillory {

namespace {

constexpr char HandRole[] = "quillory.pointer.hand";
constexpr qsizetype HotspotXOffset = 10; // little-endian 16-bit, in the first directory entry
constexpr qsizetype HotspotYOffset = 12;
constexpr quint16 CursorResourceType = 2;

} // namespace

QString programFolderFile(const QString& fileName)
{
    return QCoreApplication::applicationDirPath() + u'/' + fileName;
}

std::optional<QCursor> loadCursorFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (bytes.size() < 22 ||
        qFromLittleEndian<quint16>(bytes.constData() + 2) != CursorResourceType)
        return std::nullopt;
    QPixmap image;
    // Qt reads the picture of a .cur file (its "ico" plug-in) but not the hotspot.
    if (!image.loadFromData(bytes, "CUR") && !image.loadFromData(bytes, "ICO"))
        return std::nullopt;
    const int x = qFromLittleEndian<quint16>(bytes.constData() + HotspotXOffset);
    const int y = qFromLittleEndian<quint16>(bytes.constData() + HotspotYOffset);
    return QCursor(image, x, y);
}

WindowPointer::WindowPointer(QWidget* window)
    : QObject(window)
    , m_window(window)
{
}

void WindowPointer::showHand()
{
    if (m_busy)
        return;
    m_window->setCursor(m_hand.value_or(QCursor(Qt::ArrowCursor)));
    m_showingHand = m_hand.has_value();
}

void WindowPointer::showArrow()
{
    if (m_busy)
        return;
    m_window->setCursor(Qt::ArrowCursor);
    m_showingHand = false;
}

void WindowPointer::setBusy(bool busy)
{
    m_busy = busy;
    m_showingHand = false;
    m_window->setCursor(busy ? Qt::WaitCursor : Qt::ArrowCursor);
}

void WindowPointer::handOver(std::initializer_list<QWidget*> widgets)
{
    for (QWidget* widget : widgets) {
        widget->setProperty(HandRole, true);
        widget->setMouseTracking(true);
        // A button passes moves it does not use on to what lies behind it, whose arrow would
        // then replace the hand.
        widget->setAttribute(Qt::WA_NoMousePropagation);
        widget->installEventFilter(this);
    }
}

void WindowPointer::arrowOver(std::initializer_list<QWidget*> widgets)
{
    for (QWidget* widget : widgets) {
        widget->setProperty(HandRole, false);
        widget->setMouseTracking(true);
        widget->installEventFilter(this);
    }
}

bool WindowPointer::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseMove || event->type() == QEvent::Enter) {
        if (watched->property(HandRole).toBool())
            showHand();
        else
            showArrow();
    }
    return QObject::eventFilter(watched, event);
}

} // namespace quillory
