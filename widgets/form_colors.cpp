// SPDX-License-Identifier: MIT

#include "widgets/form_colors.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>

namespace quillory {

namespace {

void paintFace(QWidget* widget, const QColor& face)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, face);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

template <typename Kind> void paintAll(QWidget* window, const QColor& face)
{
    for (Kind* child : window->findChildren<Kind*>())
        paintFace(child, face);
}

} // namespace

void SetFormBackColors(QWidget* window)
{
    const QColor face = window->palette().color(QPalette::Active, QPalette::Button);
    paintFace(window, face);
    paintAll<QGroupBox>(window, face);
    paintAll<QLabel>(window, face);
    paintAll<QRadioButton>(window, face);
    paintAll<QCheckBox>(window, face);
}

} // namespace quillory
