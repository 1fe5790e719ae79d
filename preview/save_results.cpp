#include "preview/save_results.h"

#include "base/failure.h"
#include "base/file_system.h"
#include "base/guarded_procedure.h"
#include "document/document_file.h"
#include "document/paged_output.h"
#include "preview/save_folder.h"
#include "widgets/wait_pointer.h"

#include <QFileInfo>

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

void writePdf(const OwnFile& wordDocument, const QString& target)
{
    const WaitPointer waiting;
    const doc::Document document = doc::readDocument(wordDocument.readAll(), wordDocument.path());
    replaceFileAtomically(target, doc::pdfFromDocument(document, doc::scheduleTitle(document)));
}

void save(const OwnFile* wordDocument, const SaveChoice& choice)
{
    const OwnFile& document = heldDocument(wordDocument);
    if (savedFormOf(choice) == SavedForm::Pdf)
        writePdf(document, choice.path);
    else
        replaceFileAtomically(choice.path, document.readAll());
}

} // namespace

const OwnFile& heldDocument(const OwnFile* wordDocument)
{
    if (!wordDocument)
        throw Failure(u"The preview holds no schedule; please create it again."_s);
    return *wordDocument;
}

QString overwriteQuestion(const QString& path)
{
    return u"Are you sure you wish to overwrite "_s + path + u" ?"_s;
}

SavedForm savedFormOf(const SaveChoice& choice)
{
    const bool pdf = choice.filter == QString::fromUtf16(PdfDialogFilter) ||
                     choice.path.endsWith(u".pdf"_s, Qt::CaseInsensitive);
    return pdf ? SavedForm::Pdf : SavedForm::Word;
}

void saveResults(const OwnFile* wordDocument, SavedForm offered, const ReportLocation& location)
{
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
        const QString word = QString::fromUtf16(SaveDialogFilter);
        const QString pdf = QString::fromUtf16(PdfDialogFilter);
        dialog.filters = word + u";;"_s + pdf;
        dialog.selectedFilter = offered == SavedForm::Pdf ? pdf : word;
    });
    procedure.step(112, [&] {
        dialog.answer = prompts().askSavePath(dialog.title, dialog.filters, dialog.selectedFilter,
                                              dialog.folder);
    });
    procedure.step(114, [&] { choice = dialog.answer; });
    if (!choice.path.isEmpty()) {
        // The old file is not deleted first: the save below replaces it in one rename.
        if (FileExists(choice.path))
            procedure.step(120,
                           [&] { answerYes = prompts().askYesNo(overwriteQuestion(choice.path)); });
        else
            answerYes = true;
    }
    if (answerYes && wordDocument && isSameFile(choice.path, wordDocument->path())) {
        // The working copy goes when the preview is left; "saving" onto it would lose the save.
        prompts().note(u"%1 is the preview's own working copy, which is removed when you leave "
                       u"the preview. Please choose another name."_s.arg(choice.path));
        return;
    }
    if (answerYes && !procedure.step(130, [&] { save(wordDocument, choice); }))
        return;
    if (answerYes)
        saveFolder().saved(choice.path);
    procedure.step(132, [&] { prompts().note(QString::fromUtf16(SaveDoneNote)); });
}

void saveResultsToWordFile(const OwnFile* wordDocument)
{
    saveResults(wordDocument, SavedForm::Word, locations::Form2Save);
}

} // namespace quillory
