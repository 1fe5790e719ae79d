// SPDX-License-Identifier: MIT

#pragma once

#include <QString>

#include <optional>

namespace quillory {

/// The forms the stored week is exported in, named by the file's extension.
enum class ExportFormat {
    Word,     ///< ".doc": the schedule as the working document holds it (RTF)
    Docx,     ///< ".docx": the schedule as a Word 2007-365 file
    Pdf,      ///< ".pdf": the schedule's pages
    Calendar, ///< ".ics": the week's homework as iCalendar events
};

/// What "--export FILE" asks for.
struct ExportRequest {
    QString target;
    ExportFormat format = ExportFormat::Word;
};

/// The form a file name's extension names (".doc", ".docx", ".pdf", ".ics", in any case);
/// nothing for any other.
std::optional<ExportFormat> exportFormatOf(const QString& path);

/// How an export ended.
enum class ExportStatus {
    Exported,      ///< the file holds the week
    NothingStored, ///< no week is stored yet
    Failed,        ///< the week could not be read, the schedule made or the file written
};

/// An export's end, with the reason when it failed.
struct ExportResult {
    ExportStatus status = ExportStatus::Exported;
    QString reason; ///< one line; empty when exported
};

/// Writes the stored week (readStoredWeek) to `target` in `format`, the schedule made as "Start
/// Creating Template" makes it, replacing the file atomically. Reads the settings and the
/// journal, never writes them; its working files go when it returns. Needs a Gui application,
/// the schedule's fonts installed and prompts that take the schedule steps' reports without
/// showing anything: the first report is the reason.
ExportResult exportStoredWeek(const QString& target, ExportFormat format);

/// "--export FILE": runs exportStoredWeek without a window or a display (on Qt's offscreen
/// platform, whatever is asked for), says why on standard error in one line when it fails, and
/// returns the exit status: 0 exported, 1 not.
int runExport(int argc, char** argv, const ExportRequest& request);

} // namespace quillory
