// SPDX-License-Identifier: MIT
// The ways out of the preview: saving a copy, going back, closing.
#include "preview/form2.h"

#include "base/guarded_procedure.h"
#include "base/working_files.h"
#include "preview/picture_area.h"
#include "preview/printable_schedule.h"
#include "preview/save_results.h"

#include <QCloseEvent>
#include <QCoreApplication>

#include <malloc.h>

namespace quillory {

using namespace Qt::StringLiterals;

void Form2::setWordFile(std::shared_ptr<const OwnFile> document, SchoolWeek week)
{
    mWordFile = document ? document->path() : QString();
    m_schedule = document ? std::make_unique<WorkingSchedule>(std::move(document), std::move(week))
                          : nullptr;
}

// mWordFile keeps naming the document until the next hand-over; a file someone else put under
// the name stays theirs. Closing the handle frees the document's space on the disk.
void Form2::discardWordFile()
{
    if (m_schedule)
        deleteWorkingFile(mWordFile, m_schedule->file().identity());
    m_schedule.reset();
}

void Form2::PushButton6_Click()
{
    saveResultsToWordFile(m_schedule.get());
}

void Form2::PushButton8_Click()
{
    GuardedProcedure procedure(locations::Form2Back);
    procedure.step(102, [&] { discardWordFile(); });
    procedure.step(104, [&] { Q_EMIT backRequested(); });
    procedure.step(106, [&] { hide(); });
    // A hidden preview keeps no picture; the next hand-over brings one. What a long schedule
    // took goes back to the system, not only to the heap.
    Picture1->setPicture(nullptr);
    Zoom_Ori->setPicture(nullptr);
    ::malloc_trim(0);
}

void Form2::Form_QueryUnload()
{
    GuardedProcedure procedure(locations::Form2QueryUnload);
    procedure.step(100, [&] { discardWordFile(); });
    procedure.step(102, [] { QCoreApplication::processEvents(); });
    procedure.step(104, [] { QCoreApplication::processEvents(); });
}

void Form2::closeEvent(QCloseEvent* event)
{
    Form_QueryUnload();
    event->accept();
    Q_EMIT unloaded();
}

} // namespace quillory
