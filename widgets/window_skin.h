// SPDX-License-Identifier: MIT

#pragma once

#include <QString>

class QWidget;

namespace quillory {

/// Gives one window a skin (a Qt style sheet) that restyles that window, its controls and their
/// pop-ups, and nothing else: Qt would cascade a window's style sheet into every dialog and
/// message box shown over it, as they are its children.
void applyWindowSkin(QWidget& window, const QString& styleSheet);

/// The style sheet with every rule narrowed to widgets marked as belonging to a skinned window.
QString scopedStyleSheet(const QString& styleSheet);

} // namespace quillory
