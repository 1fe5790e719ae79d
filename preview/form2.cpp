// SPDX-License-Identifier: MIT

#include "preview/form2.h"

#include "base/failure.h"
#include "base/file_system.h"
#include "base/guarded_procedure.h"
#include "preview/picture_area.h"
#include "preview/printable_schedule.h"
#include "widgets/enter_presses.h"
#include "widgets/form_colors.h"
#include "widgets/twips.h"
#include "widgets/window_fit.h"
#include "widgets/window_look.h"
#include "widgets/window_pointer.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QIcon>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QSignalBlocker>

namespace quillory {

using namespace Qt::StringLiterals;

namespace {

void showBar(QScrollBar* bar, const ScrollBarState& state)
{
    const QSignalBlocker quiet(bar);
    bar->setMaximum(state.maximum);
    bar->setValue(state.value);
    bar->setEnabled(state.enabled);
}

} // namespace

Form2::Form2(QWidget* parent)
    : QWidget(parent)
    , m_geometry(*this)
    , m_pointer(new WindowPointer(this))
{
    createControls();
    createPictureMenu();
    createScrollKeys();
    connectControls();
    Form_Load();
    showView();
    m_fit = new WindowFit(*this);
}

Form2::~Form2() = default;

void Form2::connectControls()
{
    const auto run = [this](void (PreviewGeometry::*procedure)()) {
        return [this, procedure] {
            (m_geometry.*procedure)();
            showView();
        };
    };
    connect(PushButton1, &QPushButton::clicked, this, run(&PreviewGeometry::PushButton1_Click));
    connect(PushButton2, &QPushButton::clicked, this, run(&PreviewGeometry::PushButton2_Click));
    connect(PushButton6, &QPushButton::clicked, this, [this] { PushButton6_Click(); });
    connect(PushButton8, &QPushButton::clicked, this, [this] { PushButton8_Click(); });
    // Escape goes back, as "< Back" does.
    connect(new QShortcut(Qt::Key_Escape, this), &QShortcut::activated, this,
            [this] { PushButton8_Click(); });
    connect(HScroll1, &QScrollBar::valueChanged, this, [this](int value) {
        m_geometry.HScroll1_Change(value);
        showView();
    });
    connect(VScroll1, &QScrollBar::valueChanged, this, [this](int value) {
        m_geometry.VScroll1_Change(value);
        showView();
    });
    connect(Picture1, &PictureArea::mousePressed, this,
            [this](QPointF position) { m_geometry.picture1_MouseDown(pointInPicture1(position)); });
    connect(Picture1, &PictureArea::mouseDragged, this,
            [this](QPointF position, Qt::MouseButtons buttons) {
                m_geometry.picture1_MouseMove(buttons != Qt::NoButton, pointInPicture1(position));
                showView();
            });
    connect(Picture1, &PictureArea::mouseReleased, this, run(&PreviewGeometry::Picture1_MouseUp));
    m_pointer->handOver({PushButton1, PushButton2, PushButton6, PushButton8});
    m_pointer->arrowOver({this, Frame1});
    letEnterPressButtons(*this);
}

void Form2::Form_Load()
{
    GuardedProcedure procedure(locations::Form2Load);
    procedure.step(100, [&] { m_geometry.requestSetUp(); });
    procedure.step(102, [&] { SetFormBackColors(this); });
    procedure.step(104, [&] {
        setWindowTitle(u"Quillory"_s);
        setWindowIcon(programIcon());
    });
    const QString hand = handPointerPath();
    bool handFound = false;
    procedure.step(108, [&] { handFound = FileExists(hand); });
    if (handFound)
        procedure.step(110, [&] { m_pointer->setHand(loadHandPointer(hand).orRaise()); });
}

void Form2::setPicture(std::shared_ptr<const doc::VectorPicture> snapshot)
{
    const QSizeF extent = snapshot ? snapshot->extent() : QSizeF();
    const double firstPage =
        snapshot && snapshot->pages().size() > 1 ? snapshot->pages().front().height : 0;
    Picture1->setPicture(std::move(snapshot));
    m_geometry.loadPicture(extent, firstPage);
}

void Form2::Form_Activate()
{
    m_geometry.Form_Activate();
    showView();
}

void Form2::RedrawImage()
{
    m_geometry.RedrawImage();
    showView();
}

void Form2::SetHScrollbarByPercent(QScrollBar* HScrollbar, qint16 percent)
{
    setBarByPercent(HScrollbar, percent);
}

void Form2::SetVScrollbarByPercent(QScrollBar* VScrollbar, qint16 percent)
{
    setBarByPercent(VScrollbar, percent);
}

// The window's own bars go through the view, so the picture follows; any other bar is just set.
void Form2::setBarByPercent(QScrollBar* bar, qint16 percent)
{
    if (bar == HScroll1)
        m_geometry.SetHScrollbarByPercent(percent);
    else if (bar == VScroll1)
        m_geometry.SetVScrollbarByPercent(percent);
    else if (const std::optional<int> value = valueByPercent(percent, bar->maximum()))
        bar->setValue(*value);
    showView();
}

bool Form2::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        Form_Activate();
    return QWidget::event(event);
}

void Form2::showEvent(QShowEvent* event)
{
    if (!m_centred)
        m_fit->centre();
    m_centred = true;
    // Set up on showing too: a window manager may show the window without activating it.
    Form_Activate();
    QWidget::showEvent(event);
}

// Brings the controls in line with the view; the bars' own signals stay quiet meanwhile.
void Form2::showView()
{
    const QRectF picture = m_geometry.picture1();
    Picture1->setGeometry(pixelsFromTwips(picture.left()), pixelsFromTwips(picture.top()),
                          pixelsFromTwips(picture.width()), pixelsFromTwips(picture.height()));
    showBar(HScroll1, m_geometry.horizontal().bar);
    showBar(VScroll1, m_geometry.vertical().bar);
}

// Measured from where the view places Picture1 in twips rather than from its rounded pixel
// position, so the grabbed point stays under the pointer.
QPointF Form2::pointInPicture1(QPointF position) const
{
    return (position + Picture1->pos()) * TwipsPerPixel - m_geometry.picture1().topLeft();
}

void Form2::keepZoomSource()
{
    Zoom_Ori->setPicture(Picture1->picture());
}

void Form2::clearPicture()
{
    Picture1->setPicture(nullptr);
}

// Nothing is drawn ahead: the picture is played back at this zoom where it is exposed.
void Form2::drawScaled(QSize source, QSize target)
{
    Picture1->setPicture(Zoom_Ori->picture(), source, target);
}

void Form2::showArrow()
{
    m_pointer->showArrow();
}

} // namespace quillory
