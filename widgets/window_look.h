// SPDX-License-Identifier: MIT

#pragma once

#include "base/result.h"

#include <QCursor>
#include <QFont>
#include <QIcon>
#include <QString>

namespace quillory {

/// The font of the main window and the class editor: Arial bold 9 pt.
QFont windowFont();

/// The font of their push buttons: Arial bold 11.25 pt.
QFont buttonFont();

/// The program's icon, shown by every window.
QIcon programIcon();

/// Where the hand pointer file lies beside the program.
QString handPointerPath();

/// The hand pointer read from the file; fails when it is no pointer file.
Result<QCursor> loadHandPointer(const QString& path);

} // namespace quillory
