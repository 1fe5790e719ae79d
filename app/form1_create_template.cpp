// SPDX-License-Identifier: MIT
// "Start Creating Template": the schedule made, rendered and handed to the preview.
#include "app/form1.h"

#include "base/failure.h"
#include "base/guarded_procedure.h"
#include "base/working_files.h"
#include "generation/availability.h"
#include "generation/page_snapshot.h"
#include "generation/snapshot_file.h"
#include "homework/general_fields.h"
#include "preview/form2.h"
#include "widgets/held_input.h"
#include "widgets/window_pointer.h"

namespace quillory {

using namespace Qt::StringLiterals;

void Form1::PushButton6_Click()
{
    if (mBusy)
        return;
    GuardedProcedure procedure(locations::Form1CreateTemplate);
    procedure.step(102, [&] { mBusy = true; });
    // The run blocks the windows, so a second click waits in the queue until it is over: it is
    // dropped while the run still counts as busy, rather than starting the run again.
    std::optional<HeldInput> heldInput(std::in_place);
    procedure.step(104, [&] { m_pointer->setBusy(true); });
    const FilledSchedule filled = fillScheduleTemplate(procedure, scheduleRequest());
    const std::shared_ptr<const OwnFile>& document = filled.document;
    std::optional<WrittenFile> snapshotFile;
    // The document held open, never whatever its name leads to by now.
    procedure.step(
        238, [&] { snapshotFile = SaveDocAsJPG(document ? document->openedPath() : QString()); });
    // Without a document there is nothing to preview: the picture is loaded but not handed on.
    const bool pictured = procedure.step(240, [&] {
        const SnapshotPicture snapshot = loadSnapshot(snapshotFile);
        shareSnapshotWithClipboard(snapshot);
        if (document)
            previewWindow().setPicture(snapshot);
    });
    procedure.step(242, [&] { m_pointer->setBusy(false); });
    // The failures were reported; the user stays here rather than in front of an empty or stale
    // preview.
    if (document && (!pictured || !showPreview(procedure, document)))
        deleteWorkingFile(document->path(), document->identity());
    procedure.step(250, [&] {
        if (snapshotFile)
            deleteWorkingFile(snapshotFile->path, snapshotFile->identity);
    });
    heldInput.reset();
    procedure.step(252, [&] { mBusy = false; });
}

void Form1::prepareWhileIdle()
{
    previewWindow();
    prepareScheduleFonts();
}

// Read as the run goes: a change made while it waited for its first event pass is typed.
ScheduleRequest Form1::scheduleRequest()
{
    return ScheduleRequest{QString::fromUtf16(NamePlaceholder), [this] { return name(); },
                           [this] { return scheduleDate(date().date()); },
                           [this] { return m_session.list().rowCount(); },
                           [this](int row) {
                               if (row < 0 || row >= m_session.list().rowCount())
                                   throw Failure(
                                       Failure::InvalidState,
                                       u"The class list has no row %1 any more."_s.arg(row + 1));
                               return m_session.list().entry(row);
                           }};
}

bool Form1::showPreview(GuardedProcedure& procedure,
                        const std::shared_ptr<const OwnFile>& workingDocument)
{
    // The week as typed goes with the document, for the calendar file.
    const bool shown = procedure.step(244, [&] {
        m_preview->setWordFile(workingDocument,
                               {name(), date().date(), m_session.list().entries()});
    }) && procedure.step(246, [&] { m_preview->show(); });
    if (shown)
        procedure.step(248, [&] { hide(); });
    return shown;
}

Form2& Form1::previewWindow()
{
    if (!m_preview) {
        m_preview = std::make_unique<Form2>();
        connect(m_preview.get(), &Form2::backRequested, this, [this] { show(); });
        // Leaving the program through the preview keeps the classes typed in this run.
        connect(m_preview.get(), &Form2::unloaded, this, [this] {
            if (Form_QueryUnload())
                Form_Unload();
            else
                show(); // the list could not be stored: it stays on screen
        });
    }
    return *m_preview;
}

} // namespace quillory
