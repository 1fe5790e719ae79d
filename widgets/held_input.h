// SPDX-License-Identifier: MIT

#pragma once

#include <QObject>

namespace quillory {

/// Holds off the user's clicks and keys while a piece of work blocks the windows. Work on the
/// one event thread leaves every click made meanwhile queued; delivered once the work is over,
/// such a click would start it again or act on a window that has changed under it. While this
/// lives, clicks, keys, the wheel and the close box reach only a modal dialog the work opens
/// (an error report, a question); when it ends, it takes what arrived meanwhile and drops it
/// before the windows answer again.
class HeldInput final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(HeldInput)

public:
    HeldInput();
    ~HeldInput() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace quillory
