// SPDX-License-Identifier: MIT

#include "preview/save_results.h"

#include "base/failure.h"
#include "base/file_system.h"
#include "base/guarded_procedure.h"
#include "calendar/week_calendar.h"
#include "document/docx/docx_writer.h"
#include "document/paint/paged_output.h"
#include "document/pdf/pdf_output.h"
#include "preview/printable_schedule.h"
#include "preview/save_calendar.h"
#include "preview/save_folder.h"
#include "widgets/held_input.h"
#include "widgets/wait_pointer.h"

#include <QFileInfo>

#include <algorithm>

namespace quillory {

using namespace Qt::StringLiterals;

namespace {

// What the save dialog is asked for.
struct SaveDialogRequest {
    SaveChoice answer;
    QString title;
    QString filters;
    QString selectedFilter;
    QString folder;
};

bool isSameFile(const QString& a, const QString& b)
{
    const QString canonical = QFileInfo(a).canonicalFilePath();
    return !canonical.isEmpty() && canonical == QFileInfo(b).canonicalFilePath();
}

void writePdf(const WorkingSchedule& schedule, const QString& target)
{
    const WaitPointer waiting;
    const std::shared_ptr<const PrintableSchedule> printable = schedule.printable();
    replaceFileAtomically(target, doc::pdfFromPicture(printable->picture(), printable->page(),
                                                      printable->title(),
                                                      doc::allPages(printable->picture())))
        .orRaise();
}

void writeDocx(const WorkingSchedule& schedule, const QString& target)
{
    const WaitPointer waiting;
    const std::shared_ptr<const doc::Document> document = schedule.document();
    const doc::DocxResult docx = doc::toDocx(*document, doc::scheduleTitle(*document));
    if (docx.status != doc::DocxStatus::Written)
        throw Failure(Failure::SystemError, docx.reason);
    replaceFileAtomically(target, docx.package).orRaise();
}

void save(const WorkingSchedule* held, const SaveChoice& choice)
{
    // Clicks made on the preview while the file is written are dropped, not run afterwards.
    const HeldInput heldInput;
    const WorkingSchedule& schedule = heldSchedule(held);
    switch (savedFormOf(choice)) {
    case SavedForm::Docx: writeDocx(schedule, choice.path); break;
    case SavedForm::Pdf: writePdf(schedule, choice.path); break;
    case SavedForm::Calendar: writeCalendarFile(schedule, choice.path); break;
    case SavedForm::Word:
        replaceFileAtomically(choice.path, [&](const FileAppender& append) {
            schedule.file().readPieces(append);
        }).orRaise();
        break;
    }
}

// A dot in a name is often no extension ("Homework Dec. 7", "week.1"): only the endings of the
// documents a save writes, and RTF's own, count as one.
bool endsInDocumentExtension(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix();
    return std::any_of(DocumentExtensions.cbegin(), DocumentExtensions.cend(), [&](auto extension) {
        return suffix.compare(QString::fromUtf16(extension), Qt::CaseInsensitive) == 0;
    });
}

} // namespace

const WorkingSchedule& heldSchedule(const WorkingSchedule* schedule)
{
    if (!schedule)
        throw Failure(Failure::InvalidState,
                      u"The preview holds no schedule; please create it again."_s);
    return *schedule;
}

QString overwriteQuestion(const QString& path)
{
    return u"Are you sure you wish to overwrite "_s + path + u" ?"_s;
}

QString savedPath(const SaveChoice& choice)
{
    const auto filter = std::find_if(SaveFilters.cbegin(), SaveFilters.cend(), [&](auto row) {
        return choice.filter == QString::fromUtf16(row.filter);
    });
    if (choice.path.isEmpty() || filter == SaveFilters.cend() ||
        endsInDocumentExtension(choice.path))
        return choice.path;
    QString path = choice.path;
    if (path.endsWith(u'.'))
        path.chop(1);
    return path + QString::fromUtf16(filter->extension);
}

SavedForm savedFormOf(const SaveChoice& choice)
{
    if (choice.path.endsWith(u".docx"_s, Qt::CaseInsensitive))
        return SavedForm::Docx;
    if (choice.path.endsWith(u".pdf"_s, Qt::CaseInsensitive))
        return SavedForm::Pdf;
    if (choice.path.endsWith(u".ics"_s, Qt::CaseInsensitive))
        return SavedForm::Calendar;
    if (choice.filter == QString::fromUtf16(DocxDialogFilter))
        return SavedForm::Docx;
    if (choice.filter == QString::fromUtf16(PdfDialogFilter))
        return SavedForm::Pdf;
    if (choice.filter == QString::fromUtf16(CalendarDialogFilter))
        return SavedForm::Calendar;
    return SavedForm::Word;
}

void saveResults(const WorkingSchedule* schedule, SavedForm offered, const ReportLocation& location)
{
    if (offered == SavedForm::Calendar && schedule && !weekHasEvents(schedule->week())) {
        prompts().note(QString::fromUtf16(NothingForCalendarNote));
        return;
    }
    GuardedProcedure procedure(location);
    SaveDialogRequest dialog;
    SaveChoice choice;
    bool answerYes = false;
    procedure.step(106, [&] {
        dialog.answer = {};
        dialog.folder = saveFolder().startFolder();
    });
    procedure.step(108, [&] { dialog.title = QString::fromUtf16(SaveDialogTitle); });
    procedure.step(110, [&] {
        QStringList filters;
        for (const SaveFilter& row : SaveFilters)
            filters << QString::fromUtf16(row.filter);
        dialog.filters = filters.join(u";;"_s);
        dialog.selectedFilter = filters.at(qsizetype(offered)); // in the order of SavedForm
    });
    procedure.step(112, [&] {
        dialog.answer = prompts().askSavePath(dialog.title, dialog.filters, dialog.selectedFilter,
                                              dialog.folder);
    });
    procedure.step(114, [&] { choice = {savedPath(dialog.answer), dialog.answer.filter}; });
    // A calendar of no event would import as nothing: nothing is written, and the user is told.
    if (!choice.path.isEmpty() && savedFormOf(choice) == SavedForm::Calendar && schedule &&
        !weekHasEvents(schedule->week())) {
        prompts().note(QString::fromUtf16(NothingForCalendarNote));
        return;
    }
    if (!choice.path.isEmpty()) {
        // The old file is not deleted first: the save below replaces it in one rename.
        if (FileExists(choice.path))
            procedure.step(120,
                           [&] { answerYes = prompts().askYesNo(overwriteQuestion(choice.path)); });
        else
            answerYes = true;
    }
    if (answerYes && schedule && isSameFile(choice.path, schedule->file().path())) {
        // The working copy goes when the preview is left; "saving" onto it would lose the save.
        prompts().note(u"%1 is the preview's own working copy, which is removed when you leave "
                       u"the preview. Please choose another name."_s.arg(choice.path));
        return;
    }
    if (answerYes && !procedure.step(130, [&] { save(schedule, choice); }))
        return;
    if (answerYes)
        saveFolder().saved(choice.path);
    procedure.step(132, [&] { prompts().note(QString::fromUtf16(SaveDoneNote)); });
}

void saveResultsToWordFile(const WorkingSchedule* schedule)
{
    saveResults(schedule, SavedForm::Word, locations::Form2Save);
}

} // namespace quillory
