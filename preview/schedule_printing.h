// SPDX-License-Identifier: MIT

#pragma once

#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QPrinter;
class QWidget;

namespace quillory {

class LaidOutSchedule;

/// Shows the print dialog for a printer and a document of `pageCount` pages; true when the user
/// chose to print.
using PrintDialogRunner = std::function<bool(QPrinter& printer, int pageCount, QWidget* parent)>;

/// Replaces the system's print dialog (tests script it); an empty runner brings it back.
void setPrintDialogRunner(PrintDialogRunner runner);

/// Printing the working document: read and laid out first, then the print dialog, then the
/// pages at their true size, placed by the document's own margins.
class SchedulePrint {
public:
    /// Prints the working document as read and laid out.
    explicit SchedulePrint(std::shared_ptr<const LaidOutSchedule> schedule);
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

    std::shared_ptr<const LaidOutSchedule> m_schedule;
    std::unique_ptr<QPrinter> m_printer;
};

} // namespace quillory
