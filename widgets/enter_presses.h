// SPDX-License-Identifier: MIT

#pragma once

class QWidget;

namespace quillory {

/// Lets Enter press the window's focused push button, as Space does. Qt does this only in
/// dialogs, and there Enter presses the default button wherever the focus is; here it presses
/// the focused button alone, so Enter in a text box keeps its own meaning.
void letEnterPressButtons(QWidget& window);

} // namespace quillory
