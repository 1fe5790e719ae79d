// SPDX-License-Identifier: MIT

#include "app/week_export.h"

#include "app/stored_week.h"
#include "base/failure.h"
#include "base/file_system.h"
#include "base/guarded_procedure.h"
#include "base/working_files.h"
#include "calendar/week_calendar.h"
#include "document/docx/docx_writer.h"
#include "document/layout/fonts.h"
#include "document/paint/paged_output.h"
#include "document/pdf/pdf_output.h"
#include "document/saved_documents.h"
#include "generation/schedule_run.h"
#include "homework/general_fields.h"

#include <QGuiApplication>

#include <cstdio>
#include <vector>

namespace quillory {

using namespace Qt::StringLiterals;

namespace {

constexpr int ExportedExit = 0;
constexpr int FailedExit = 1;

constexpr std::pair<const char16_t*, ExportFormat> Extensions[] = {
    {u".doc", ExportFormat::Word},
    {u".docx", ExportFormat::Docx},
    {u".pdf", ExportFormat::Pdf},
    {u".ics", ExportFormat::Calendar},
};

// Takes the reports of the schedule's steps instead of showing them; nothing is asked.
class CollectedReports final : public Prompts {
public:
    void errorReport(const QString& text, ReportIcon) override
    {
        // The report's first line is the failure's description.
        if (m_first.isEmpty())
            m_first = text.section(u"\r\n"_s, 0, 0);
    }
    void note(const QString&) override {}
    bool askYesNo(const QString&) override { return false; }
    SaveChoice askSavePath(const QString&, const QString&, const QString&, const QString&) override
    {
        return {};
    }

    /// The first report's description; empty when nothing was reported.
    const QString& first() const { return m_first; }

private:
    QString m_first;
};

ScheduleRequest requestFor(const SchoolWeek& week)
{
    return ScheduleRequest{QString::fromUtf16(NamePlaceholder), [&week] { return week.name; },
                           [&week] { return scheduleDate(week.date); },
                           [&week] { return int(week.classes.size()); },
                           [&week](int row) { return week.classes.at(row); }};
}

// Writes the schedule held open in `document` in the format asked for.
void writeSchedule(const OwnFile& document, const SchoolWeek& week, const QString& target,
                   ExportFormat format)
{
    switch (format) {
    case ExportFormat::Word:
        replaceFileAtomically(target, [&](const FileAppender& append) {
            document.readPieces(append);
        }).orRaise();
        return;
    case ExportFormat::Calendar:
        replaceFileAtomically(target, weekCalendar(week).orRaise()).orRaise();
        return;
    case ExportFormat::Docx:
    case ExportFormat::Pdf: break;
    }
    const std::shared_ptr<const doc::Document> model =
        doc::openDocument(document.descriptor(), document.path());
    const QString title = doc::scheduleTitle(*model);
    if (format == ExportFormat::Pdf) {
        replaceFileAtomically(target, doc::pdfFromDocument(*model, title)).orRaise();
        return;
    }
    doc::DocxResult docx = doc::toDocx(*model, title);
    if (docx.status != doc::DocxStatus::Written)
        throw Failure(Failure::SystemError, docx.reason);
    replaceFileAtomically(target, docx.package).orRaise();
}

// Qt's notes on how it runs ("XDG_RUNTIME_DIR not set") are not the export's to tell: a script
// reads standard error for the one line of a failure.
void keepQtQuiet(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

// The one line standard error gets: control characters would break it apart.
QString oneLine(QString text)
{
    for (QChar& character : text) {
        if (character.category() == QChar::Other_Control)
            character = u' ';
    }
    return text;
}

} // namespace

std::optional<ExportFormat> exportFormatOf(const QString& path)
{
    for (const auto& [extension, format] : Extensions) {
        if (path.endsWith(QString::fromUtf16(extension), Qt::CaseInsensitive))
            return format;
    }
    return std::nullopt;
}

ExportResult exportStoredWeek(const QString& target, ExportFormat format)
{
    const StoredWeekReading stored = readStoredWeek();
    if (stored.status == StoredWeekStatus::NothingStored)
        return {ExportStatus::NothingStored, stored.reason};
    if (stored.status != StoredWeekStatus::Read)
        return {ExportStatus::Failed, stored.reason};
    CollectedReports reports;
    Prompts* const shown = installPrompts(&reports);
    GuardedProcedure procedure(locations::Form1CreateTemplate);
    const FilledSchedule filled = fillScheduleTemplate(procedure, requestFor(stored.week));
    installPrompts(shown);
    ExportResult result;
    if (!reports.first().isEmpty() || !filled.document) {
        result = {ExportStatus::Failed, reports.first()};
    } else {
        try {
            writeSchedule(*filled.document, stored.week, target, format);
        } catch (const Failure& failure) {
            result = {ExportStatus::Failed, failure.description()};
        }
    }
    if (filled.document)
        deleteWorkingFile(filled.document->path(), filled.document->identity());
    return result;
}

int runExport(int argc, char** argv, const ExportRequest& request)
{
    qInstallMessageHandler(keepQtQuiet);
    // Nothing is shown: the offscreen platform needs no display, whatever the session names.
    std::vector<char*> arguments(argv, argv + argc);
    char platformOption[] = "-platform";
    char offscreen[] = "offscreen";
    arguments.insert(arguments.end(), {platformOption, offscreen, nullptr});
    int count = int(arguments.size()) - 1;
    const QGuiApplication application(count, arguments.data());
    doc::installFontSubstitutions();
    const ExportResult result = exportStoredWeek(request.target, request.format);
    if (result.status == ExportStatus::Exported)
        return ExportedExit;
    const QByteArray line = u"quillory: %1\n"_s.arg(oneLine(result.reason)).toLocal8Bit();
    std::fwrite(line.constData(), 1, std::size_t(line.size()), stderr);
    return FailedExit;
}

} // namespace quillory
