#pragma once

#include <QString>

namespace quillory {

/// The save dialog's title.
inline constexpr char16_t SaveDialogTitle[] = u"Save File";
/// The save dialog's one filter entry.
inline constexpr char16_t SaveDialogFilter[] = u"Word Files (*.doc)";
/// Said after every save that did not fail.
inline constexpr char16_t SaveDoneNote[] = u"Done.";

/// The question before an existing file is replaced.
QString overwriteQuestion(const QString& path);

/// "Save Results To Word File": asks for a path and puts a byte-for-byte copy of the working
/// document there. An existing file is replaced only after a Yes, and atomically, so a failed
/// save leaves it whole; a failure is reported and not followed by "Done.".
void saveResultsToWordFile(const QString& wordFile);

} // namespace quillory
