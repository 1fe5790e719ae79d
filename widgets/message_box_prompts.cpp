// SPDX-License-Identifier: MIT

#include "widgets/message_box_prompts.h"

#include "base/app_title.h"
#include "base/error_report.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>

namespace quillory {

using namespace Qt::StringLiterals;

namespace {

QWidget* activeWindow()
{
    return QApplication::activeWindow();
}

// Qt's own dialog reads double quotes in the typed name as a list of names ("a" "b"), so
// `Week 3 "final".pdf` would be saved as "final". A save takes one name: the one typed, in the
// dialog's folder. A platform's native dialog has no such field and is left alone.
class SaveFileDialog final : public QFileDialog {
public:
    using QFileDialog::QFileDialog;

    // The path of a name typed with double quotes; empty otherwise.
    const QString& typedPath() const { return m_typedPath; }

    void accept() override
    {
        const auto* name = findChild<QLineEdit*>(u"fileNameEdit"_s);
        if (!name || !name->text().contains(u'"')) {
            QFileDialog::accept();
            return;
        }
        const QString path = directory().absoluteFilePath(name->text());
        if (QFileInfo(path).isDir()) {
            setDirectory(path);
            return;
        }
        m_typedPath = path;
        QDialog::accept();
    }

private:
    QString m_typedPath;
};

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
                                          const QString& selectedFilter, const QString& folder)
{
    SaveFileDialog dialog(activeWindow(), title, folder, filters);
    dialog.selectNameFilter(selectedFilter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // The program asks about replacing a file itself, and gives a name without an extension
    // the chosen filter's itself, whichever dialog the platform shows.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setDefaultSuffix(QString());
    if (dialog.exec() != QDialog::Accepted)
        return {};
    if (!dialog.typedPath().isEmpty())
        return {dialog.typedPath(), dialog.selectedNameFilter()};
    if (dialog.selectedFiles().isEmpty())
        return {};
    return {dialog.selectedFiles().constFirst(), dialog.selectedNameFilter()};
}

} // namespace quillory
