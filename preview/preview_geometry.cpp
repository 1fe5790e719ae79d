// SPDX-License-Identifier: MIT

#include "preview/preview_geometry.h"

#include "base/guarded_procedure.h"
#include "preview/preview_canvas.h"

#include <QScopedValueRollback>

#include <algorithm>
#include <cmath>

namespace quillory {

using namespace Qt::StringLiterals;

namespace {

// Zoom_Ori is two twips larger inside than the picture the zoom works from.
qint32 originalLength(double innerLength)
{
    return std::max(0, static_cast<qint32>(roundHalfEven(innerLength - 2.0)));
}

} // namespace

PreviewGeometry::PreviewGeometry(PreviewCanvas& canvas)
    : m_canvas(canvas)
{
}

void PreviewGeometry::loadPicture(QSizeF size, double firstPageHeight)
{
    m_loadedSize = size;
    m_firstPageHeight = firstPageHeight;
    mSetupPending = true;
}

void PreviewGeometry::Form_Activate()
{
    // Closing an error report's box activates the window again while the set-up still runs.
    if (m_activating)
        return;
    const QScopedValueRollback<bool> activating(m_activating, true);
    GuardedProcedure procedure(locations::Form2Activate);
    if (mSetupPending)
        setUpView(procedure);
    procedure.step(138, [&] { mSetupPending = false; });
}

void PreviewGeometry::setUpView(GuardedProcedure& procedure)
{
    procedure.step(102, [&] {
        m_h.size = m_loadedSize.width();
        m_v.size = m_loadedSize.height();
    });
    procedure.step(112, [&] {
        m_zoomSourceSize = QSizeF(m_h.size, m_v.size);
        m_canvas.keepZoomSource();
    });
    procedure.step(124, [&] {
        mZoom = 1.0f;
        m_shownZoom = 1.0f;
    });
    takeOriginalSize(procedure);
    procedure.step(134, [&] { RedrawImage(); });
    procedure.step(136, [&] { SetupScrollbars(); });
}

void PreviewGeometry::takeOriginalSize(GuardedProcedure& procedure)
{
    procedure.step(126, [&] { mOrigWidth = originalLength(m_zoomSourceSize.width()); });
    procedure.step(128, [&] { mOrigHeight = originalLength(m_zoomSourceSize.height()); });
    procedure.step(130, [&] { mZoomWidth = scaledLength(mOrigWidth, 1.0f); });
    procedure.step(132, [&] { mZoomHeight = scaledLength(mOrigHeight, 1.0f); });
}

void PreviewGeometry::RedrawImage()
{
    GuardedProcedure procedure(locations::Form2Redraw);
    procedure.step(100, [&] { mZoomWidth = scaledLength(mOrigWidth, mZoom); });
    procedure.step(102, [&] { mZoomHeight = scaledLength(mOrigHeight, mZoom); });
    bool fits = false;
    procedure.step(104, [&] { fits = fitsTheLimits(); });
    if (fits) {
        drawZoomed(procedure);
        return;
    }
    // Refused: Picture1 keeps what it showed and the bars stay; only the zoom starts over.
    procedure.step(124, [&] { mZoom = 1.0f; });
    takeOriginalSize(procedure);
}

// The limits are meant for one page: a strip of pages is held to them by its first page. No
// picture is kept from the size the set-up shows it at, or smaller: a full page is taller than
// the limit, and the way back to 100 % must stay open.
bool PreviewGeometry::fitsTheLimits() const
{
    const int pageHeight = m_firstPageHeight > 0
                               ? scaledLength(static_cast<int>(m_firstPageHeight), mZoom)
                               : mZoomHeight;
    return mZoom <= 1.0f || (mZoomWidth < RefusedWidth && pageHeight < RefusedHeight);
}

void PreviewGeometry::drawZoomed(GuardedProcedure& procedure)
{
    procedure.step(106, [&] { m_canvas.clearPicture(); });
    procedure.step(108, [&] { m_h.size = mZoomWidth; });
    procedure.step(110, [&] { m_v.size = mZoomHeight; });
    procedure.step(112, [&] {
        m_canvas.drawScaled({mOrigWidth, mOrigHeight}, {mZoomWidth, mZoomHeight});
        m_shownZoom = mZoom;
    });
    procedure.step(114, [&] { m_canvas.showArrow(); });
    procedure.step(116, [&] { setBarValue(m_h, 0); });
    procedure.step(118, [&] { setBarValue(m_v, 0); });
    procedure.step(120, [&] { m_h.bar.enabled = viewport::InnerWidth < mZoomWidth; });
    procedure.step(122, [&] { m_v.bar.enabled = viewport::InnerHeight < mZoomHeight; });
}

void PreviewGeometry::SetupScrollbars()
{
    m_v.edge = 0;
    m_h.edge = 0;
    setUpAxis(m_h, viewport::OuterWidth, viewport::InnerWidth);
    setUpAxis(m_v, viewport::OuterHeight, viewport::InnerHeight);
}

void PreviewGeometry::setUpAxis(PreviewAxis& axis, double viewportOuter, double viewportInner)
{
    const ScrollRange range = scrollRangeFor(axis.size, viewportOuter, viewportInner);
    axis.bar.enabled = range.enabled;
    if (range.maximum)
        setBarMaximum(axis, *range.maximum);
    axis.step = range.step;
    axis.end = range.end;
    if (range.enabled)
        setBarValue(axis, 0);
}

void PreviewGeometry::PushButton1_Click()
{
    GuardedProcedure procedure(locations::Form2ZoomIn);
    procedure.step(100, [&] { StepZoom(0); });
}

void PreviewGeometry::PushButton2_Click()
{
    GuardedProcedure procedure(locations::Form2ZoomOut);
    procedure.step(100, [&] { StepZoom(1); });
}

void PreviewGeometry::zoomToActualSize()
{
    GuardedProcedure procedure(locations::Form2ActualSize);
    procedure.step(100, [&] { ApplyZoom(1.0f); });
}

void PreviewGeometry::StepZoom(int direction)
{
    ApplyZoom(direction == 0 ? mZoom + ZoomStep : mZoom - ZoomStep);
}

// The point of the picture under the viewport's centre stays there, as far as the picture's
// ends allow; a refused step leaves the picture where it was.
void PreviewGeometry::ApplyZoom(float factor)
{
    if (factor < MinimumZoom || factor > MaximumZoom)
        return;
    const QPointF centre = pointAtCentre();
    mZoom = factor;
    RedrawImage();
    SetupScrollbars();
    putAtCentre(m_h, centre.x(), viewport::InnerWidth);
    putAtCentre(m_v, centre.y(), viewport::InnerHeight);
}

// The unscaled point under the viewport's centre.
QPointF PreviewGeometry::pointAtCentre() const
{
    return QPointF(viewport::InnerWidth / 2.0 - m_h.edge, viewport::InnerHeight / 2.0 - m_v.edge) /
           m_shownZoom;
}

// Moves the picture so that the unscaled `point` is at the viewport's centre, within the bounds
// a drag keeps to, in whole twips; the bar follows.
void PreviewGeometry::putAtCentre(PreviewAxis& axis, double point, double viewportInner)
{
    if (axis.step == 0 || !axis.bar.enabled)
        return;
    const double reach = std::max(0.0, axis.size - viewportInner);
    axis.edge = -std::clamp(std::round(point * m_shownZoom - viewportInner / 2.0), 0.0, reach);
    followPicture(axis);
}

void PreviewGeometry::picture1_MouseDown(QPointF point)
{
    GuardedProcedure procedure(locations::Form2MouseDown);
    procedure.step(100, [&] { mDownX = static_cast<float>(point.x()); });
    procedure.step(102, [&] { mDownY = static_cast<float>(point.y()); });
}

void PreviewGeometry::picture1_MouseMove(bool buttonHeld, QPointF point)
{
    if (!buttonHeld)
        return;
    GuardedProcedure procedure(locations::Form2MouseMove);
    float left = 0;
    float top = 0;
    procedure.step(104, [&] {
        left = draggedEdge(static_cast<float>(m_h.edge), mDownX, static_cast<float>(point.x()),
                           viewport::InnerWidth, m_h.size);
    });
    procedure.step(114, [&] {
        top = draggedEdge(static_cast<float>(m_v.edge), mDownY, static_cast<float>(point.y()),
                          viewport::InnerHeight, m_v.size);
    });
    procedure.step(124, [&] {
        m_h.edge = left;
        m_v.edge = top;
    });
}

void PreviewGeometry::Picture1_MouseUp()
{
    GuardedProcedure procedure(locations::Form2MouseUp);
    std::optional<qint16> horizontal;
    std::optional<qint16> vertical;
    procedure.step(100,
                   [&] { horizontal = scrolledPercent(m_h.edge, m_h.size, viewport::OuterWidth); });
    procedure.step(102,
                   [&] { vertical = scrolledPercent(m_v.edge, m_v.size, viewport::OuterHeight); });
    if (horizontal)
        procedure.step(104, [&] { bringBarInLine(m_h, *horizontal); });
    if (vertical)
        procedure.step(106, [&] { bringBarInLine(m_v, *vertical); });
}

// Past steps of ten half a percent can be pages: there the picture stays where the drag left
// it and the bar only follows.
void PreviewGeometry::bringBarInLine(PreviewAxis& axis, qint16 percent)
{
    if (axis.step > 10)
        followPicture(axis);
    else
        setBarByPercent(axis, percent);
}

void PreviewGeometry::HScroll1_Change(int value)
{
    barChanged(m_h, value);
}

void PreviewGeometry::VScroll1_Change(int value)
{
    barChanged(m_v, value);
}

void PreviewGeometry::SetHScrollbarByPercent(qint16 percent)
{
    setBarByPercent(m_h, percent);
}

void PreviewGeometry::SetVScrollbarByPercent(qint16 percent)
{
    setBarByPercent(m_v, percent);
}

void PreviewGeometry::scrollByWheel(Qt::Orientation orientation, double notches, int linesPerNotch)
{
    scrollBy(orientation, -notches * linesPerNotch * lineOfText());
}

bool PreviewGeometry::scrollByKey(Qt::Key key)
{
    const double line = lineOfText();
    const double page = std::max(line, viewport::InnerHeight - line);
    switch (key) {
    case Qt::Key_Up: scrollBy(Qt::Vertical, -line); return true;
    case Qt::Key_Down: scrollBy(Qt::Vertical, line); return true;
    case Qt::Key_Left: scrollBy(Qt::Horizontal, -line); return true;
    case Qt::Key_Right: scrollBy(Qt::Horizontal, line); return true;
    case Qt::Key_PageUp: scrollBy(Qt::Vertical, -page); return true;
    case Qt::Key_PageDown: scrollBy(Qt::Vertical, page); return true;
    case Qt::Key_Home: scrollBy(Qt::Vertical, m_v.edge); return true;
    case Qt::Key_End: scrollBy(Qt::Vertical, m_v.size); return true;
    default: return false;
    }
}

// As far as a drag goes: to where the picture's end meets the viewport's inner edge.
void PreviewGeometry::scrollBy(Qt::Orientation orientation, double distance)
{
    const bool across = orientation == Qt::Horizontal;
    PreviewAxis& axis = across ? m_h : m_v;
    if (axis.step == 0 || !axis.bar.enabled)
        return;
    const double inner = across ? viewport::InnerWidth : viewport::InnerHeight;
    axis.edge = -std::clamp(-axis.edge + distance, 0.0, std::max(0.0, axis.size - inner));
    followPicture(axis);
}

// The bar takes the value nearest to the picture without moving it.
void PreviewGeometry::followPicture(PreviewAxis& axis)
{
    axis.bar.value = nearestBarValue(-axis.edge, axis.step, axis.bar.maximum, axis.end);
}

double PreviewGeometry::lineOfText() const
{
    return TextLineTwips * m_shownZoom;
}

void PreviewGeometry::setBarByPercent(PreviewAxis& axis, qint16 percent)
{
    if (const std::optional<int> value = valueByPercent(percent, axis.bar.maximum))
        setBarValue(axis, *value);
}

void PreviewGeometry::setBarMaximum(PreviewAxis& axis, int maximum)
{
    axis.bar.maximum = maximum;
    if (axis.bar.value > maximum)
        setBarValue(axis, maximum);
}

// A bar runs its change handler only when its value really changes.
void PreviewGeometry::setBarValue(PreviewAxis& axis, int value)
{
    if (value != axis.bar.value)
        barChanged(axis, value);
}

void PreviewGeometry::barChanged(PreviewAxis& axis, int value)
{
    axis.bar.value = value;
    axis.edge = -barPosition(axis.step, value, axis.end);
}

} // namespace quillory
