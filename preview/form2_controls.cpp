// SPDX-License-Identifier: MIT
// The preview window's controls: kinds, captions, fonts and places. Places are in twips.
#include "preview/form2.h"

#include "preview/picture_area.h"
#include "preview/preview_rules.h"
#include "widgets/accessible_text.h"
#include "widgets/twips.h"
#include "widgets/window_look.h"

#include <QFrame>
#include <QGroupBox>
#include <QPushButton>
#include <QScrollBar>

namespace quillory {

using namespace Qt::StringLiterals;

namespace {

constexpr int ClientWidth = 9840;
constexpr int ClientHeight = 9390;
constexpr int ViewportLeft = 120;
constexpr int ViewportTop = 120;

QPushButton* pushButton(const QString& name, const QString& caption, QRect place, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setFont(buttonFont());
    button->setGeometry(place);
    return button;
}

QScrollBar* scrollBar(const QString& name, Qt::Orientation orientation, QRect place,
                      QWidget* parent)
{
    auto* bar = new QScrollBar(orientation, parent);
    bar->setObjectName(name);
    bar->setGeometry(place);
    bar->setRange(0, 0);
    bar->setSingleStep(1);
    bar->setPageStep(1);
    // The window's pointer does not change over the bars.
    bar->setAttribute(Qt::WA_NoMousePropagation);
    return bar;
}

QWidget* whiteInside(QFrame* viewport)
{
    auto* inside = new QWidget(viewport);
    inside->setGeometry(rectFromTwips(viewport::FrameWidth, viewport::FrameWidth,
                                      viewport::InnerWidth, viewport::InnerHeight));
    QPalette palette = inside->palette();
    palette.setColor(QPalette::Window, Qt::white);
    inside->setPalette(palette);
    inside->setAutoFillBackground(true);
    return inside;
}

} // namespace

void Form2::createControls()
{
    setFixedSize(sizeFromTwips(ClientWidth, ClientHeight));
    setFont(windowFont());

    Picture2 = new QFrame(this);
    Picture2->setObjectName(u"Picture2"_s);
    Picture2->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    Picture2->setGeometry(
        rectFromTwips(ViewportLeft, ViewportTop, viewport::OuterWidth, viewport::OuterHeight));
    Picture2->setAttribute(Qt::WA_NoMousePropagation);
    Picture1 = new PictureArea(whiteInside(Picture2));
    Picture1->setObjectName(u"Picture1"_s);
    Zoom_Ori = new PictureArea(this);
    Zoom_Ori->setObjectName(u"Zoom_Ori"_s);
    Zoom_Ori->setGeometry(rectFromTwips(ClientWidth, 0, 0, 0));
    Zoom_Ori->hide();

    VScroll1 = scrollBar(u"VScroll1"_s, Qt::Vertical, rectFromTwips(9450, 120, 255, 7425), this);
    HScroll1 = scrollBar(u"HScroll1"_s, Qt::Horizontal, rectFromTwips(120, 7545, 9330, 255), this);

    Frame1 = new QGroupBox(u"Zoom:"_s, this);
    Frame1->setObjectName(u"Frame1"_s);
    Frame1->setGeometry(rectFromTwips(120, 7860, 9600, 855));
    PushButton1 =
        pushButton(u"PushButton1"_s, u"Zoom In"_s, rectFromTwips(240, 300, 4440, 405), Frame1);
    PushButton2 =
        pushButton(u"PushButton2"_s, u"Zoom Out"_s, rectFromTwips(4800, 300, 4560, 405), Frame1);
    PushButton8 =
        pushButton(u"PushButton8"_s, u"< Back"_s, rectFromTwips(120, 8850, 4680, 405), this);
    PushButton6 = pushButton(u"PushButton6"_s, u"Save Results To Word File"_s,
                             rectFromTwips(4920, 8850, 4800, 405), this);

    describe(this, u"Quillory preview"_s, u"The filled schedule, to zoom, move, save and print."_s);
    describe(Picture2, u"Schedule page"_s, u"The page of the schedule as it will print."_s);
    describe(Picture1, u"Schedule picture"_s,
             u"Drag it to move the page; the right button opens its menu: print, save as PDF, "
             u"copy the picture."_s);
    describe(VScroll1, u"Vertical scroll"_s, u"Moves the page up and down."_s);
    describe(HScroll1, u"Horizontal scroll"_s, u"Moves the page left and right."_s);
    describe(Frame1, Frame1->title(), u"Zooming the page."_s);
    describe(PushButton1, PushButton1->text(), u"Shows the page larger, a step at a time."_s);
    describe(PushButton2, PushButton2->text(), u"Shows the page smaller, a step at a time."_s);
    describe(PushButton8, u"Back"_s, u"Returns to the class list."_s);
    describe(PushButton6, PushButton6->text(),
             u"Saves the schedule as a Word file, or as a PDF, where you choose."_s);
}

} // namespace quillory
