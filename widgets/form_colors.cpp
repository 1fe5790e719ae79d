// SPDX-License-Identifier: MIT

#include "widgets/form_colors.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>

namespace quillory {

namespace {

// The text drawn on a background goes with it, so a dark theme's light text never lands on a
// light face the program chose (or the other way round).
void paintFace(QWidget* widget, const QColor& face, const QColor& text)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, face);
    palette.setColor(QPalette::WindowText, text);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

template <typename Kind> void paintAll(QWidget* window, const QColor& face, const QColor& text)
{
    for (Kind* child : window->findChildren<Kind*>())
        paintFace(child, face, text);
}

} // namespace

void SetFormBackColors(QWidget* window)
{
    const QPalette& palette = window->palette();
    const QColor face = palette.color(QPalette::Active, QPalette::Button);
    const QColor text = palette.color(QPalette::Active, QPalette::ButtonText);
    paintFace(window, face, text);
    paintAll<QGroupBox>(window, face, text);
    paintAll<QLabel>(window, face, text);
    paintAll<QRadioButton>(window, face, text);
    paintAll<QCheckBox>(window, face, text);
}

void SetWhiteBackColor(QWidget* window)
{
    paintFace(window, Qt::white, Qt::black);
}

} // namespace quillory
