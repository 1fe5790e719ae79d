// SPDX-License-Identifier: MIT

#pragma once

class QWidget;

namespace quillory {

/// Gives the window and its frames, labels, option buttons and check boxes the system's
/// button-face colour, with the button text colour for what is written on it; text boxes and
/// buttons keep their own.
void SetFormBackColors(QWidget* window);

/// Gives the window, and what shows its background (frames, labels), white with black text;
/// its controls keep the palette's colours for their own faces.
void SetWhiteBackColor(QWidget* window);

} // namespace quillory
