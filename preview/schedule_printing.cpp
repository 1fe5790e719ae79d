// SPDX-License-Identifier: MIT

#include "preview/schedule_printing.h"

#include "base/failure.h"
#include "base/file_system.h"
#include "document/paint/paged_output.h"
#include "document/pdf/pdf_output.h"
#include "preview/print_order.h"
#include "preview/printable_schedule.h"
#include "widgets/wait_pointer.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

namespace quillory {

using namespace Qt::StringLiterals;

namespace {

bool showSystemPrintDialog(QPrinter& printer, int pageCount, QWidget* parent)
{
    QPrintDialog dialog(&printer, parent);
    dialog.setMinMax(1, pageCount);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    return dialog.exec() == QDialog::Accepted;
}

PrintDialogRunner& printDialogRunner()
{
    static PrintDialogRunner runner = showSystemPrintDialog;
    return runner;
}

// Copies the printer cannot make itself are printed one after the other.
PrintChoice printChoice(const QPrinter& printer, int pageCount)
{
    const bool range = printer.printRange() == QPrinter::PageRange;
    return PrintChoice{pageCount,
                       range ? printer.fromPage() : 0,
                       range ? printer.toPage() : 0,
                       printer.supportsMultipleCopies() ? 1 : printer.copyCount(),
                       printer.collateCopies(),
                       printer.pageOrder() == QPrinter::LastPageFirst};
}

} // namespace

void setPrintDialogRunner(PrintDialogRunner runner)
{
    printDialogRunner() = runner ? std::move(runner) : showSystemPrintDialog;
}

SchedulePrint::SchedulePrint(std::shared_ptr<const PrintableSchedule> schedule)
    : m_schedule(std::move(schedule))
{
}

SchedulePrint::~SchedulePrint() = default;

bool SchedulePrint::askPrinter(QWidget* parent)
{
    m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    m_printer->setPageLayout(doc::paperLayout(m_schedule->page()));
    // The pages are placed from the paper's corner by the document's own margins.
    m_printer->setFullPage(true);
    // The dialog offers the document's name as the file to print to: a slash would make it a
    // folder that does not exist.
    m_printer->setDocName(QString(m_schedule->title()).replace(u'/', u'-'));
    m_printer->setCreator(u"Quillory"_s);
    m_printer->setPrintRange(QPrinter::AllPages);
    return printDialogRunner()(*m_printer, pageCount(), parent);
}

void SchedulePrint::print()
{
    if (!m_printer)
        throw Failure(Failure::Cancelled, u"No printer was chosen."_s);
    const std::vector<int> pages = printSequence(printChoice(*m_printer, pageCount()));
    if (pages.empty())
        return;
    const WaitPointer waiting;
    if (m_printer->outputFormat() == QPrinter::PdfFormat) {
        printToFile(pages);
        return;
    }
    QPainter painter;
    if (!painter.begin(m_printer.get()))
        throw Failure(Failure::Unavailable, u"The printer could not be started."_s);
    doc::paintPages(painter, *m_printer, m_schedule->picture(), m_schedule->page(), pages);
    if (!painter.end() || m_printer->printerState() == QPrinter::Error)
        throw Failure(Failure::SystemError, u"The printer reported an error."_s);
}

// A file is written as Save as PDF writes one, never half: the PDF is made in memory and
// replaces the file in one rename, or the old file stays and the system's reason is reported.
void SchedulePrint::printToFile(const std::vector<int>& pages)
{
    const QString file = m_printer->outputFileName();
    if (file.isEmpty())
        throw Failure(Failure::Cancelled, u"No file to print to was chosen."_s);
    replaceFileAtomically(file, doc::pdfFromPicture(m_schedule->picture(), m_schedule->page(),
                                                    m_schedule->title(), pages))
        .orRaise();
}

int SchedulePrint::pageCount() const
{
    return int(m_schedule->picture().pages().size());
}

} // namespace quillory
