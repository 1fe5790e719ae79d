// SPDX-License-Identifier: MIT

#pragma once

#include "base/prompts.h"
#include "base/report_locations.h"

#include <QString>

#include <array>

namespace quillory {

class WorkingSchedule;

/// The save dialog's title.
inline constexpr char16_t SaveDialogTitle[] = u"Save File";
/// The save dialog's first filter, chosen unless a PDF is asked for.
inline constexpr char16_t SaveDialogFilter[] = u"Word Files (*.doc)";
/// The save dialog's filter for a Word 2007-365 file.
inline constexpr char16_t DocxDialogFilter[] = u"Word 2007-365 Files (*.docx)";
/// The save dialog's filter for a PDF.
inline constexpr char16_t PdfDialogFilter[] = u"PDF Files (*.pdf)";
/// The save dialog's filter for the week as a calendar file.
inline constexpr char16_t CalendarDialogFilter[] = u"Calendar Files (*.ics)";
/// A filter of the save dialog and the extension it gives a name typed without one.
struct SaveFilter {
    const char16_t* filter;
    const char16_t* extension;
};

/// The save dialog's filters, in the order it lists them.
inline constexpr std::array SaveFilters{
    SaveFilter{SaveDialogFilter, u".doc"}, SaveFilter{DocxDialogFilter, u".docx"},
    SaveFilter{PdfDialogFilter, u".pdf"}, SaveFilter{CalendarDialogFilter, u".ics"}};

/// The endings a typed name keeps as its extension: what a save writes, and RTF, which the Word
/// file is. Any other ending after a dot is part of the name.
inline constexpr std::array<const char16_t*, 5> DocumentExtensions{u"doc", u"docx", u"rtf", u"pdf",
                                                                   u"ics"};

/// Said after every save that did not fail.
inline constexpr char16_t SaveDoneNote[] = u"Done.";
/// Told instead of saving a calendar that would hold no event.
inline constexpr char16_t NothingForCalendarNote[] =
    u"There is nothing to add to a calendar: no day of this week holds homework.";

/// What a saved file holds.
enum class SavedForm {
    Word,     ///< a byte-for-byte copy of the working document
    Docx,     ///< the schedule as a Word 2007-365 file
    Pdf,      ///< the schedule's pages as a PDF
    Calendar, ///< the week's homework as iCalendar events
};

/// The question before an existing file is replaced.
QString overwriteQuestion(const QString& path);

/// A name ending in ".docx", ".pdf" or ".ics" (in any case) decides; otherwise the chosen filter
/// does.
SavedForm savedFormOf(const SaveChoice& choice);

/// The path a save writes: the chosen one, with the chosen filter's extension unless its name
/// ends in one of DocumentExtensions (a trailing dot gives way to it), so that the file opens
/// with a double click.
QString savedPath(const SaveChoice& choice);

/// The working schedule a save or a print reads; throws Failure when there is none (the preview
/// holds no schedule).
const WorkingSchedule& heldSchedule(const WorkingSchedule* schedule);

/// Asks for a path, the dialog opening with `offered`'s filter in the folder of the last save
/// (saveFolder), and saves the results there as the choice says (savedFormOf), read from the
/// working document held open (never from whatever its name leads to). An existing file is
/// replaced only after a Yes, and atomically, so a failed save leaves it whole; a failure is
/// reported at `location` and not followed by "Done.".
void saveResults(const WorkingSchedule* schedule, SavedForm offered,
                 const ReportLocation& location);

/// "Save Results To Word File": saveResults offering the Word copy first.
void saveResultsToWordFile(const WorkingSchedule* schedule);

} // namespace quillory
