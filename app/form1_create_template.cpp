// "Start Creating Template": the schedule made, rendered and handed to the preview.
#include "app/form1.h"

#include "app/page_snapshot.h"
#include "app/snapshot_file.h"
#include "base/file_system.h"
#include "base/guarded_procedure.h"
#include "homework/general_fields.h"
#include "preview/form2.h"
#include "widgets/window_pointer.h"

#include <QLocale>

namespace quillory {

using namespace Qt::StringLiterals;

namespace {

QString snapshotPath()
{
    return joinPath(TempFolder(), QString::fromUtf16(SnapshotFileName));
}

} // namespace

void Form1::PushButton6_Click()
{
    if (mBusy)
        return;
    GuardedProcedure procedure(locations::Form1CreateTemplate);
    procedure.step(102, [&] { mBusy = true; });
    procedure.step(104, [&] { m_pointer->setBusy(true); });
    const FilledSchedule filled = fillScheduleTemplate(procedure, scheduleRequest());
    procedure.step(238, [&] { SaveDocAsJPG(filled.workingPath); });
    const std::optional<QImage> snapshot = procedure.result(240, [&] {
        QImage picture = loadSnapshot(snapshotPath());
        shareSnapshotWithClipboard(picture);
        return picture;
    });
    procedure.step(242, [&] { m_pointer->setBusy(false); });
    // Without a document or its picture there is nothing to preview: the failures were
    // reported, and the user stays here rather than in front of an empty or stale preview.
    if (!filled.saved || !snapshot || !handOver(procedure, filled.workingPath, *snapshot))
        DeleteFileQuietly(filled.workingPath);
    procedure.step(250, [&] { DeleteFileQuietly(snapshotPath()); });
    procedure.step(252, [&] { mBusy = false; });
}

ScheduleRequest Form1::scheduleRequest() const
{
    return ScheduleRequest{QString::fromUtf16(NamePlaceholder), name(),
                           QLocale().toString(date().date(), u"MMM d, yyyy"_s), m_list.entries()};
}

bool Form1::handOver(GuardedProcedure& procedure, const QString& workingDocument,
                     const QImage& snapshot)
{
    const bool handed = procedure.step(240, [&] { previewWindow().setPicture(snapshot); }) &&
                        procedure.step(244, [&] { m_preview->setWordFile(workingDocument); }) &&
                        procedure.step(246, [&] { m_preview->show(); });
    if (handed)
        procedure.step(248, [&] { hide(); });
    return handed;
}

Form2& Form1::previewWindow()
{
    if (!m_preview) {
        m_preview = std::make_unique<Form2>();
        connect(m_preview.get(), &Form2::backRequested, this, [this] { show(); });
        // Leaving the program through the preview keeps the classes typed in this run.
        connect(m_preview.get(), &Form2::unloaded, this, [this] {
            Form_QueryUnload();
            Form_Unload();
        });
    }
    return *m_preview;
}

} // namespace quillory
