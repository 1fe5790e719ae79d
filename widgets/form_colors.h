// SPDX-License-Identifier: MIT

#pragma once

class QWidget;

namespace quillory {

/// Gives the window and its frames, labels, option buttons and check boxes the system's
/// button-face colour; text boxes and buttons keep their own.
void SetFormBackColors(QWidget* window);

} // namespace quillory
