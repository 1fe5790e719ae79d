// SPDX-License-Identifier: MIT

#pragma once

#include <QString>

namespace quillory {

/// What one change of a typed text did: at `position`, `removed` gave way to `inserted`.
struct TextEdit {
    qsizetype position = 0;
    QString removed;
    QString inserted;
    qint64 at = 0; ///< when, in milliseconds of a steady clock
};

/// The edit that turns `before` into `after` (the one span where they differ), made at `at`.
TextEdit textEdit(const QString& before, const QString& after, qint64 at);

/// Whether `next` goes on with the burst of typing that `last` ended, so that one Undo takes
/// both back, as text editors do: single characters typed one after another at the cursor (the
/// first may replace a selection), or taken one after another with Backspace or Delete, none of
/// them more than two seconds after the one before. A paste, a deleted selection or a jump of
/// the cursor starts a new step.
bool continuesTyping(const TextEdit& last, const TextEdit& next);

} // namespace quillory
