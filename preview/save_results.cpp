#include "preview/save_results.h"

#include "base/failure.h"
#include "base/file_system.h"
#include "base/guarded_procedure.h"
#include "base/prompts.h"

#include <QFile>
#include <QFileInfo>

namespace quillory {

using namespace Qt::StringLiterals;

namespace {

// What the save dialog is asked for.
struct SaveDialogRequest {
    QString fileName;
    QString title;
    QString filter;
};

bool isSameFile(const QString& a, const QString& b)
{
    const QString canonical = QFileInfo(a).canonicalFilePath();
    return !canonical.isEmpty() && canonical == QFileInfo(b).canonicalFilePath();
}

void copyWorkingDocument(const QString& wordFile, const QString& target)
{
    QFile source(wordFile);
    QByteArray bytes;
    if (source.open(QIODevice::ReadOnly))
        bytes = source.readAll();
    if (source.error() != QFileDevice::NoError)
        throw Failure(
            u"Cannot read the generated document %1: %2"_s.arg(wordFile, source.errorString()));
    replaceFileAtomically(target, bytes);
}

} // namespace

QString overwriteQuestion(const QString& path)
{
    return u"Are you sure you wish to overwrite "_s + path + u" ?"_s;
}

void saveResultsToWordFile(const QString& wordFile)
{
    GuardedProcedure procedure(locations::Form2Save);
    SaveDialogRequest dialog;
    QString chosen;
    bool answerYes = false;
    procedure.step(106, [&] { dialog.fileName.clear(); });
    procedure.step(108, [&] { dialog.title = QString::fromUtf16(SaveDialogTitle); });
    procedure.step(110, [&] { dialog.filter = QString::fromUtf16(SaveDialogFilter); });
    procedure.step(112,
                   [&] { dialog.fileName = prompts().askSavePath(dialog.title, dialog.filter); });
    procedure.step(114, [&] { chosen = dialog.fileName; });
    if (!chosen.isEmpty()) {
        // The old file is not deleted first: the copy below replaces it in one rename.
        if (FileExists(chosen))
            procedure.step(120, [&] { answerYes = prompts().askYesNo(overwriteQuestion(chosen)); });
        else
            answerYes = true;
    }
    if (answerYes && isSameFile(chosen, wordFile)) {
        // The working copy goes when the preview is left; "saving" onto it would lose the save.
        prompts().note(u"%1 is the preview's own working copy, which is removed when you leave "
                       u"the preview. Please choose another name."_s.arg(chosen));
        return;
    }
    if (answerYes && !procedure.step(130, [&] { copyWorkingDocument(wordFile, chosen); }))
        return;
    procedure.step(132, [&] { prompts().note(QString::fromUtf16(SaveDoneNote)); });
}

} // namespace quillory
