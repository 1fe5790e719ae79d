// SPDX-License-Identifier: MIT

#pragma once

#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QPrinter;
class QWidget;

namespace quillory {

class PrintableSchedule;

/// Shows the print dialog for a printer and a document of `pageCount` pages; true when the user
/// chose to print.
using PrintDialogRunner = std::function<bool(QPrinter& printer, int pageCount, QWidget* parent)>;

/// Replaces the system's print dialog (tests script it); an empty runner brings it back.
void setPrintDialogRunner(PrintDialogRunner runner);

/// Printing the working document: its pages as recorded, after the print dialog, at their true
/// size, placed by the document's own margins.
class SchedulePrint {
public:
    /// Prints the working document as paper shows it.
    explicit SchedulePrint(std::shared_ptr<const PrintableSchedule> schedule);
    ~SchedulePrint();
    SchedulePrint(const SchedulePrint&) = delete;
    SchedulePrint& operator=(const SchedulePrint&) = delete;

    /// Offers the printer, set to the document's paper, in the print dialog; true to print.
    bool askPrinter(QWidget* parent);
    /// Prints the pages chosen in the dialog, to a PDF file as Save as PDF writes one where the
    /// dialog chose a file; throws a Failure when the printer or the file fails.
    void print();

private:
    void printToFile(const std::vector<int>& pages);
    int pageCount() const;

    std::shared_ptr<const PrintableSchedule> m_schedule;
    std::unique_ptr<QPrinter> m_printer;
};

} // namespace quillory
