// SPDX-License-Identifier: MIT

#pragma once

#include <QDateTimeEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTreeView>

#include "preview/picture_area.h"

#include <array>

namespace quillory::test {

/// The window's control with that object name; ends the test program when there is none, so
/// a renamed control fails loudly instead of crashing a test.
template <typename Control = QWidget> Control* control(const QWidget& window, const QString& name)
{
    auto* found = window.findChild<Control*>(name);
    if (!found)
        qFatal("no control named %s", qPrintable(name));
    return found;
}

/// The "General Data" frame's controls: the name box, the picker and the name's label.
struct GeneralDataControls {
    explicit GeneralDataControls(const QWidget& frame)
        : Label2_0(control<QLabel>(frame, QStringLiteral("Label2_0")))
        , Text1(control<QLineEdit>(frame, QStringLiteral("Text1")))
        , DateTimePicker1(control<QDateTimeEdit>(frame, QStringLiteral("DateTimePicker1")))
    {
    }

    QLabel* Label2_0;
    QLineEdit* Text1;
    QDateTimeEdit* DateTimePicker1;
};

/// The main window's controls, found by the names the skin addresses them by.
struct Form1Controls {
    explicit Form1Controls(const QWidget& form)
        : PushButton1(control<QPushButton>(form, QStringLiteral("PushButton1")))
        , PushButton2(control<QPushButton>(form, QStringLiteral("PushButton2")))
        , PushButton3(control<QPushButton>(form, QStringLiteral("PushButton3")))
        , PushButton4(control<QPushButton>(form, QStringLiteral("PushButton4")))
        , PushButton5(control<QPushButton>(form, QStringLiteral("PushButton5")))
        , PushButton6(control<QPushButton>(form, QStringLiteral("PushButton6")))
        , Frame1(control<QGroupBox>(form, QStringLiteral("Frame1")))
        , Frame2(control<QGroupBox>(form, QStringLiteral("Frame2")))
        , ListView1(control<QTreeView>(form, QStringLiteral("ListView1")))
        , Label2_0(control<QLabel>(form, QStringLiteral("Label2_0")))
        , Text1(control<QLineEdit>(form, QStringLiteral("Text1")))
        , DateTimePicker1(control<QDateTimeEdit>(form, QStringLiteral("DateTimePicker1")))
    {
    }

    QPushButton* PushButton1;
    QPushButton* PushButton2;
    QPushButton* PushButton3;
    QPushButton* PushButton4;
    QPushButton* PushButton5;
    QPushButton* PushButton6;
    QGroupBox* Frame1;
    QGroupBox* Frame2;
    QTreeView* ListView1;
    QLabel* Label2_0;
    QLineEdit* Text1;
    QDateTimeEdit* DateTimePicker1;
};

/// The preview window's controls.
struct Form2Controls {
    explicit Form2Controls(const QWidget& form)
        : PushButton1(control<QPushButton>(form, QStringLiteral("PushButton1")))
        , PushButton2(control<QPushButton>(form, QStringLiteral("PushButton2")))
        , PushButton6(control<QPushButton>(form, QStringLiteral("PushButton6")))
        , PushButton8(control<QPushButton>(form, QStringLiteral("PushButton8")))
        , Frame1(control<QGroupBox>(form, QStringLiteral("Frame1")))
        , Picture2(control(form, QStringLiteral("Picture2")))
        , Picture1(control<PictureArea>(form, QStringLiteral("Picture1")))
        , Zoom_Ori(control<PictureArea>(form, QStringLiteral("Zoom_Ori")))
        , HScroll1(control<QScrollBar>(form, QStringLiteral("HScroll1")))
        , VScroll1(control<QScrollBar>(form, QStringLiteral("VScroll1")))
    {
    }

    QPushButton* PushButton1;
    QPushButton* PushButton2;
    QPushButton* PushButton6;
    QPushButton* PushButton8;
    QGroupBox* Frame1;
    QWidget* Picture2;
    PictureArea* Picture1;
    PictureArea* Zoom_Ori;
    QScrollBar* HScroll1;
    QScrollBar* VScroll1;
};

/// The class editor's controls.
struct Form3Controls {
    explicit Form3Controls(const QWidget& form)
        : Frame1(control<QGroupBox>(form, QStringLiteral("Frame1")))
        , Text2(control<QLineEdit>(form, QStringLiteral("Text2")))
        , PushButton3(control<QPushButton>(form, QStringLiteral("PushButton3")))
        , PushButton4(control<QPushButton>(form, QStringLiteral("PushButton4")))
    {
        for (int day = 0; day < 7; ++day) {
            dayFrames.at(day) = control<QGroupBox>(form, QStringLiteral("Frame%1").arg(day + 2));
            Text1.at(day) = control<QPlainTextEdit>(form, QStringLiteral("Text1_%1").arg(day));
        }
    }

    QGroupBox* Frame1;
    QLineEdit* Text2;
    QPushButton* PushButton3;
    QPushButton* PushButton4;
    std::array<QGroupBox*, 7> dayFrames{};
    std::array<QPlainTextEdit*, 7> Text1{};
};

} // namespace quillory::test
