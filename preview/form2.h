// SPDX-License-Identifier: MIT

#pragma once

#include "base/own_file.h"
#include "calendar/school_week.h"
#include "document/paint/vector_picture.h"
#include "preview/preview_canvas.h"
#include "preview/preview_geometry.h"

#include <QString>
#include <QWidget>

#include <memory>

class QAction;
class QFrame;
class QGroupBox;
class QMenu;
class QPushButton;
class QScrollBar;
class QWheelEvent;

namespace quillory {

class PictureArea;
class WorkingSchedule;
class WindowFit;
class WindowPointer;

/// The preview window: the page snapshot in a fixed viewport, zoomed in quarter steps from
/// 0.25 to 4.0, scrolled with two bars or dragged with the mouse, with the ways out ("< Back",
/// "Save Results To Word File", closing). Created once by the first hand-over and then kept.
class Form2 final : public QWidget, private PreviewCanvas {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Form2)

public:
    /// Creates the window, hidden, and runs its creation steps.
    explicit Form2(QWidget* parent = nullptr);
    ~Form2() override;

    /// Hand-over: the snapshot becomes Picture1's picture; the next activation or showing sets
    /// the view up from it. Set mWordFile and show the window after this.
    void setPicture(std::shared_ptr<const doc::VectorPicture> snapshot);

    /// Draws Picture1 at the current zoom factor (or returns to 1.0 when that is too large).
    void RedrawImage();
    /// Sets a horizontal bar's value to a percentage of its maximum (0 to 100, else nothing).
    void SetHScrollbarByPercent(QScrollBar* HScrollbar, qint16 percent);
    /// Sets a vertical bar's value to a percentage of its maximum (0 to 100, else nothing).
    void SetVScrollbarByPercent(QScrollBar* VScrollbar, qint16 percent);

    /// The view's state in twips.
    const PreviewGeometry& view() const { return m_geometry; }

    /// "Save Results To Word File": a copy of the working document at a path the user chooses.
    void PushButton6_Click();
    /// "< Back" (also Escape): deletes the working document, asks for the main window and hides
    /// this one.
    void PushButton8_Click();
    /// The close request: deletes the working document; the close is never refused.
    void Form_QueryUnload();

    /// "Print…" (Ctrl+P, or the picture's menu): the print dialog, then the schedule's pages at
    /// their true size. Cancelling prints nothing.
    void mnuPrint_Click();
    /// "Save as PDF…" in the picture's menu: the save dialog opening with the PDF filter.
    void mnuSavePdf_Click();
    /// "Add to Calendar…" (Ctrl+Shift+E, or the picture's menu): the save dialog opening with the
    /// calendar filter.
    void mnuAddToCalendar_Click();
    /// "Publish to Calendar Server…" (Ctrl+Shift+P, or the picture's menu): the dialog that
    /// publishes the week to a CalDAV calendar.
    void mnuPublishToCalendar_Click();
    /// "Copy Picture" in the picture's menu: the page picture to the clipboard.
    void mnuCopyPicture_Click();

    /// Hand-over of the working document that belongs to the snapshot, held open, and of the
    /// week it was made of: mWordFile becomes its name.
    void setWordFile(std::shared_ptr<const OwnFile> document, SchoolWeek week = {});
    /// The working document's name (mWordFile), which the preview deletes while it still leads
    /// to the document.
    const QString& wordFile() const { return mWordFile; }

Q_SIGNALS:
    /// "< Back": the main window should be shown again.
    void backRequested();
    /// The window has closed: the program ends now.
    void unloaded();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    /// Full path of the working document that belongs to the snapshot.
    QString mWordFile;
    /// That document, held open, and laid out once needed: what saving, the PDF and printing
    /// read, whatever its name leads to by now. None before a hand-over and once discarded.
    std::unique_ptr<WorkingSchedule> m_schedule;

    /// The viewport: white, framed, clips Picture1.
    QFrame* Picture2;
    /// The snapshot at the zoom, moved inside the viewport by scrolling and dragging.
    PictureArea* Picture1;
    /// Never visible: holds the snapshot at its own size, the source of every zoom.
    PictureArea* Zoom_Ori;
    /// Scrolls Picture1 vertically.
    QScrollBar* VScroll1;
    /// Scrolls Picture1 horizontally.
    QScrollBar* HScroll1;
    /// The "Zoom:" frame.
    QGroupBox* Frame1;
    /// "Zoom In".
    QPushButton* PushButton1;
    /// "Zoom Out".
    QPushButton* PushButton2;
    /// "< Back".
    QPushButton* PushButton8;
    /// "Save Results To Word File".
    QPushButton* PushButton6;
    /// The picture's menu (right button): "Print…", "Save as PDF…", "Add to Calendar…",
    /// "Copy Picture".
    QMenu* mnuPicture;

    void createControls();
    void createPictureMenu();
    void discardWordFile();
    void createScrollKeys();
    void connectControls();
    void Form_Load();
    void Form_Activate();
    void setBarByPercent(QScrollBar* bar, qint16 percent);
    void showView();
    QPointF pointInPicture1(QPointF position) const;
    void scrollByWheel(const QObject* over, const QWheelEvent& wheel);
    void zoomByWheel(int eighthsOfADegree);

    void keepZoomSource() override;
    void clearPicture() override;
    void drawScaled(QSize source, QSize target) override;
    void showArrow() override;

    PreviewGeometry m_geometry;
    WindowPointer* m_pointer;
    WindowFit* m_fit;
    bool m_centred = false;
    int m_zoomTurn = 0; // of the wheel with Ctrl held, less than a notch, in eighths of a degree
};

} // namespace quillory
