// SPDX-License-Identifier: MIT

#pragma once

#include "preview/preview_rules.h"

#include <QPointF>
#include <QRectF>
#include <QSize>
#include <QSizeF>

namespace quillory {

class GuardedProcedure;
class PreviewCanvas;

/// A scroll bar as the preview drives it; its minimum is 0 and both its changes are 1.
struct ScrollBarState {
    int maximum = 0;      ///< largest value
    int value = 0;        ///< current value
    bool enabled = false; ///< whether the user can scroll it
};

/// One axis of Picture1 inside the viewport Picture2, with its scroll bar.
struct PreviewAxis {
    double edge = 0;    ///< Picture1's left (or top) edge inside the viewport, twips
    double size = 0;    ///< Picture1's outer width (or height), twips
    ScrollBarState bar; ///< HScroll1 (or VScroll1)
    qint16 step = 0;    ///< twips per unit of the bar, mHStep (or mVStep): 0, 1, 10 or more tens
    double end = 0;     ///< how far the edge goes at the bar's maximum, twips
};

/// The preview window's view in twips, free of widgets: set-up, zoom, scroll bars and dragging,
/// each procedure with its numbered, guarded steps. The window shows this state on its controls
/// after every call and draws through the canvas.
class PreviewGeometry {
public:
    /// A view that draws through the canvas (not owned; it must outlive the view).
    explicit PreviewGeometry(PreviewCanvas& canvas);

    /// The next activation sets the view up.
    void requestSetUp() { mSetupPending = true; }
    /// Hand-over: Picture1's picture is now a snapshot of this size (twips); the next
    /// activation sets the view up from it. A snapshot of more than one page names how tall its
    /// first page is (twips): the size rule of the zoom then looks at its first page. A zoom
    /// keeps the point under the viewport's centre where it is.
    void loadPicture(QSizeF size, double firstPageHeight = 0);

    /// The window became active: sets the view up from a newly handed-over picture. An
    /// activation during the set-up is ignored.
    void Form_Activate();
    /// Draws Picture1 at the zoom factor, or returns to 1.0 without drawing when the scaled
    /// picture would be too large.
    void RedrawImage();
    /// "Zoom In": one quarter up, up to 4.0.
    void PushButton1_Click();
    /// "Zoom Out": one quarter down, down to 0.25.
    void PushButton2_Click();
    /// Back to 100 % (Ctrl+0), under the rules of the zoom buttons.
    void zoomToActualSize();

    /// A mouse button went down at the point (twips from Picture1's top-left corner).
    void picture1_MouseDown(QPointF point);
    /// The pointer moved to the point; drags Picture1 while a button is held.
    void picture1_MouseMove(bool buttonHeld, QPointF point);
    /// The button went up: the scroll bars snap to the dragged position.
    void Picture1_MouseUp();

    /// HScroll1 has a new value: Picture1's left edge follows it.
    void HScroll1_Change(int value);
    /// VScroll1 has a new value: Picture1's top edge follows it.
    void VScroll1_Change(int value);
    /// Sets HScroll1 to a percentage of its maximum; percentages outside 0 to 100 are ignored.
    void SetHScrollbarByPercent(qint16 percent);
    /// Sets VScroll1 to a percentage of its maximum; percentages outside 0 to 100 are ignored.
    void SetVScrollbarByPercent(qint16 percent);

    /// The wheel turned by `notches` (positive: away from the user), `linesPerNotch` lines of
    /// text each: scrolls up (or left) for a positive turn. The bar follows.
    void scrollByWheel(Qt::Orientation orientation, double notches, int linesPerNotch);
    /// A scrolling key: the arrows move by a line of text, PageUp and PageDown by the
    /// viewport's height less a line, Home and End to the top and the bottom. Like a drag, the
    /// keys and the wheel go as far as to show the picture's end; the bars follow. False for any
    /// other key.
    bool scrollByKey(Qt::Key key);

    /// Picture1's left edge and width, HScroll1 and mHStep.
    const PreviewAxis& horizontal() const { return m_h; }
    /// Picture1's top edge and height, VScroll1 and mVStep.
    const PreviewAxis& vertical() const { return m_v; }
    /// Picture1's outer rectangle inside the viewport, twips.
    QRectF picture1() const { return {m_h.edge, m_v.edge, m_h.size, m_v.size}; }
    /// The zoom factor.
    float zoom() const { return mZoom; }
    /// The unscaled size W0 × H0 the zoom works from.
    QSize originalSize() const { return {mOrigWidth, mOrigHeight}; }
    /// The scaled size W × H last computed.
    QSize zoomedSize() const { return {mZoomWidth, mZoomHeight}; }
    /// Where the pointer grabbed Picture1 (twips from its corner).
    QPointF dragAnchor() const { return {mDownX, mDownY}; }
    /// Whether the next activation sets the view up.
    bool setupPending() const { return mSetupPending; }

private:
    void setUpView(GuardedProcedure& procedure);
    void takeOriginalSize(GuardedProcedure& procedure);
    void drawZoomed(GuardedProcedure& procedure);
    void SetupScrollbars();
    void setUpAxis(PreviewAxis& axis, double viewportOuter, double viewportInner);
    void StepZoom(int direction);
    void ApplyZoom(float factor);
    bool fitsTheLimits() const;
    QPointF pointAtCentre() const;
    void putAtCentre(PreviewAxis& axis, double point, double viewportInner);
    void setBarByPercent(PreviewAxis& axis, qint16 percent);
    void bringBarInLine(PreviewAxis& axis, qint16 percent);
    void scrollBy(Qt::Orientation orientation, double distance);
    static void followPicture(PreviewAxis& axis);
    double lineOfText() const;
    void setBarMaximum(PreviewAxis& axis, int maximum);
    void setBarValue(PreviewAxis& axis, int value);
    static void barChanged(PreviewAxis& axis, int value);

    PreviewCanvas& m_canvas;
    float mDownX = 0;
    float mDownY = 0;
    qint32 mOrigWidth = 0;
    qint32 mOrigHeight = 0;
    qint32 mZoomWidth = 0;
    qint32 mZoomHeight = 0;
    float mZoom = 1.0f;
    bool mSetupPending = false;
    bool m_activating = false;
    float m_shownZoom = 1.0f;     // the zoom Picture1 was drawn at; a refused step keeps it
    QSizeF m_loadedSize;          // Picture1's picture as handed over
    QSizeF m_zoomSourceSize;      // Zoom_Ori's size, the same inside and out
    double m_firstPageHeight = 0; // of a picture of more than one page; 0 for one page
    PreviewAxis m_h;
    PreviewAxis m_v;
};

} // namespace quillory
