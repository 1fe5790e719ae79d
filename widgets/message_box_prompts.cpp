#include "widgets/message_box_prompts.h"

#include "base/app_title.h"
#include "base/error_report.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace quillory {

namespace {

QWidget* activeWindow()
{
    return QApplication::activeWindow();
}

} // namespace

void MessageBoxPrompts::errorReport(const QString& text, ReportIcon icon)
{
    QMessageBox box(icon == ReportIcon::Warning ? QMessageBox::Warning : QMessageBox::NoIcon,
                    QString::fromUtf16(ErrorReportTitle), displayedReportText(text),
                    QMessageBox::Ok, activeWindow());
    box.exec();
}

void MessageBoxPrompts::note(const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, applicationTitle(), text, QMessageBox::Ok, activeWindow());
    box.exec();
}

bool MessageBoxPrompts::askYesNo(const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, applicationTitle(), text,
                    QMessageBox::Yes | QMessageBox::No, activeWindow());
    return box.exec() == QMessageBox::Yes;
}

SaveChoice MessageBoxPrompts::askSavePath(const QString& title, const QString& filters,
                                          const QString& selectedFilter)
{
    QFileDialog dialog(activeWindow(), title, QString(), filters);
    dialog.selectNameFilter(selectedFilter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // The program asks about replacing a file itself, and adds no extension of its own.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setDefaultSuffix(QString());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return {dialog.selectedFiles().constFirst(), dialog.selectedNameFilter()};
}

} // namespace quillory
