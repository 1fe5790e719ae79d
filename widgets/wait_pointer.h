// SPDX-License-Identifier: MIT

#pragma once

#include <QCursor>
#include <QGuiApplication>

namespace quillory {

/// Shows the hourglass over every window of the program while it lives: for work that takes a
/// moment without asking anything, such as drawing a long schedule's pages.
class WaitPointer {
public:
    WaitPointer() { QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~WaitPointer() { QGuiApplication::restoreOverrideCursor(); }
    WaitPointer(const WaitPointer&) = delete;
    WaitPointer& operator=(const WaitPointer&) = delete;
};

} // namespace quillory
