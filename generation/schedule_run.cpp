// SPDX-License-Identifier: MIT

#include "generation/schedule_run.h"

#include "base/failure.h"
#include "base/file_system.h"
#include "base/guarded_procedure.h"
#include "base/working_files.h"
#include "base/working_folder.h"
#include "document/automation/application.h"
#include "document/automation/application_starter.h"
#include "document/automation/document.h"
#include "document/automation/find.h"
#include "document/automation/range.h"
#include "document/automation/selection.h"
#include "generation/template_copy.h"
#include "resources/schedule_template.h"

#include <QLocale>
#include <QRandomGenerator>

namespace quillory {

using namespace Qt::StringLiterals;
namespace automation = doc::automation;

namespace {

constexpr int DigitsInName = 8;
// Taken names are drawn again, but not for ever: 43 million names make a long run of taken
// ones mean something else is wrong.
constexpr int NameAttempts = 1000;
// The template's table: the heading row, then the data row the first class is typed into.
constexpr int FirstDataRow = 2;

QChar randomDigit()
{
    return QChar(u'0' + QRandomGenerator::global()->bounded(1, 10));
}

// One run's state: the steps share the instance, the document and the paths, as the
// procedure's lines do.
class ScheduleRun {
public:
    ScheduleRun(GuardedProcedure& procedure, const ScheduleRequest& request)
        : m_procedure(procedure)
        , m_request(request)
    {
    }

    FilledSchedule run()
    {
        copyTemplate();
        openTemplate();
        replacePlaceholders();
        replaceNameInShapes();
        fillTable();
        saveWorkingDocument();
        closeInstance();
        return {m_workingPath, m_workingDocument};
    }

private:
    automation::Application& word() { return doc::running(m_word); }
    automation::Document& document()
    {
        if (!m_document)
            throw Failure(Failure::InvalidState, u"No document is open."_s);
        return *m_document;
    }

    void copyTemplate()
    {
        QByteArray bytes;
        step(106, [&] { bytes = templateBytes(); });
        step(108, [&] {
            // In a shared folder anyone may have put something under the name first: it is
            // reported once, and the run goes on with a copy of its own.
            TemplateCopy copy = placeTemplateCopy(bytes, TempFolder());
            m_templateCopy = std::move(copy.file);
            if (!copy.refusal.isEmpty())
                throw Failure(Failure::NotOwnFile, copy.refusal);
        });
    }

    void openTemplate()
    {
        step(110, [&] { m_word = doc::startApplication(); });
        QString path;
        // The file checked at 108, not whatever the name holds by now. Without one (108 has
        // said why), the opening at 114 reports that it has no document to open.
        step(112, [&] {
            if (m_templateCopy)
                path = m_templateCopy->openedPath();
        });
        step(114, [&] { m_document = word().Documents().Open(path, true); });
    }

    void replacePlaceholders()
    {
        std::optional<automation::StoryRanges> stories;
        step(116, [&] { stories = document().StoryRanges(); });
        if (!stories) {
            // The loop's body still runs once without a story, every step of it reported.
            replaceInStory(nullptr);
            return;
        }
        for (automation::Range& story : *stories)
            replaceInStory(&story);
    }

    void replaceInStory(automation::Range* story)
    {
        replacePass(story, 118, m_request.nameTag, m_request.name);
        replacePass(story, 148, QString::fromUtf16(u"[Date]"), m_request.date);
    }

    // One replace-all pass; its fifteen lines take the numbers from `first` on, two apart.
    void replacePass(automation::Range* story, int first, const QString& text,
                     const std::function<QString()>& replacement)
    {
        automation::Range* range = nullptr;
        automation::Find* find = nullptr;
        const auto findObject = [&]() -> automation::Find& {
            if (!find)
                throw Failure(Failure::InvalidState, u"The search could not be prepared."_s);
            return *find;
        };
        step(first, [&] {
            if (!story)
                throw Failure(Failure::InvalidState, u"The document's story could not be read."_s);
            range = story;
        });
        step(first + 2, [&] { storyRange(range).Find().ClearFormatting(); });
        step(first + 4, [&] { storyRange(range).Find().Replacement().ClearFormatting(); });
        step(first + 6, [&] { find = &storyRange(range).Find(); });
        step(first + 8, [&] { findObject().setText(text); });
        step(first + 10, [&] { findObject().Replacement().setText(replacement()); });
        step(first + 12, [&] { findObject().setForward(true); });
        step(first + 14, [&] { findObject().setWrap(automation::wdFindContinue); });
        step(first + 16, [&] { findObject().setFormat(false); });
        step(first + 18, [&] { findObject().setMatchCase(false); });
        step(first + 20, [&] { findObject().setMatchWholeWord(false); });
        step(first + 22, [&] { findObject().setMatchWildcards(false); });
        step(first + 24, [&] { findObject().setMatchSoundsLike(false); });
        step(first + 26, [&] { findObject().setMatchAllWordForms(false); });
        step(first + 28, [&] { findObject().Execute(automation::wdReplaceAll); });
    }

    static automation::Range& storyRange(automation::Range* range)
    {
        if (!range)
            throw Failure(Failure::InvalidState, u"The document's story could not be read."_s);
        return *range;
    }

    void replaceNameInShapes()
    {
        std::optional<automation::Shapes> shapes;
        step(180, [&] { shapes = document().Shapes(); });
        if (!shapes) {
            replaceNameInShape(nullptr);
            return;
        }
        for (automation::Shape& shape : *shapes)
            replaceNameInShape(&shape);
    }

    // Only the name is replaced in shapes, with the search's defaults for everything else.
    void replaceNameInShape(automation::Shape* shape)
    {
        const auto frame = [&] {
            if (!shape)
                throw Failure(Failure::InvalidState, u"The document's shapes could not be read."_s);
            return shape->TextFrame();
        };
        bool hasText = false;
        step(182, [&] { hasText = frame().HasText(); });
        if (hasText || !shape)
            step(184, [&] {
                frame().TextRange().Find().Execute(m_request.nameTag, m_request.name(),
                                                   automation::wdReplaceAll);
            });
    }

    // Three lines down lead from a one-line title into the data row. A name long enough to wrap
    // the title would leave them in the heading row, and every class would be typed over it:
    // the selection goes on down to the first data row, whatever the title's height.
    void moveToDataRow()
    {
        automation::Selection selection = word().Selection();
        selection.MoveDown(automation::wdLine, 3);
        while (selection.Information(automation::wdStartOfRangeRowNumber) < FirstDataRow &&
               selection.MoveDown(automation::wdLine, 1) > 0) {
        }
    }

    // The count is taken once; each text is read as it is typed, the count again before a
    // row is added.
    void fillTable()
    {
        step(188, [&] { moveToDataRow(); });
        int count = 0;
        step(190, [&] { count = m_request.classCount(); });
        for (int i = 0; i < count; ++i) {
            step(192, [&] { word().Selection().TypeText(m_request.classAt(i).Period); });
            for (int d = 0; d < DaysPerWeek; ++d) {
                step(196, [&] { word().Selection().MoveRight(automation::wdCell); });
                step(198, [&] { word().Selection().TypeText(m_request.classAt(i).Days.at(d)); });
            }
            bool more = false;
            step(202, [&] { more = i + 1 < m_request.classCount(); });
            if (more)
                step(204, [&] { word().Selection().InsertRowsBelow(1); });
        }
    }

    void saveWorkingDocument()
    {
        chooseWorkingPath();
        step(224, [&] {
            if (m_workingPath.isEmpty())
                throw Failure(Failure::InvalidState, u"The working document has no name."_s);
            document().SaveAs(m_workingPath);
            // Held open from here on: what the preview shows, saves and prints is this file,
            // whatever comes to lie under its name.
            m_workingDocument = std::make_shared<const OwnFile>(m_workingPath);
            trackWorkingFile(m_workingPath, m_workingDocument->identity());
        });
        // The empty file that held the name goes, unless the document has taken its place.
        if (m_claim)
            deleteWorkingFile(m_workingPath, *m_claim);
    }

    // Taking the name with a file of the user's own (0600) keeps it when the document replaces
    // it. A name that cannot be created is left to the save, which reports why.
    bool isNameTaken(const QString& path)
    {
        try {
            if (!claimFileName(path))
                return true;
        } catch (const Failure&) {
            return false;
        }
        m_claim = identityAt(path);
        if (m_claim)
            trackWorkingFile(path, *m_claim);
        return false;
    }

    // A name already taken in the working folder is never reused.
    void chooseWorkingPath()
    {
        for (int attempt = 0; attempt < NameAttempts; ++attempt) {
            QString name;
            step(208, [&] { name = QString::fromUtf16(WorkingDocumentPrefix); });
            for (int digit = 0; digit < DigitsInName; ++digit)
                step(216, [&] { name += randomDigit(); });
            step(220, [&] { m_workingPath = joinPath(TempFolder(), name + u".doc"_s); });
            bool taken = false;
            step(222, [&] { taken = isNameTaken(m_workingPath); });
            if (!taken)
                return;
        }
        m_workingPath.clear();
        step(222, [] {
            throw Failure(Failure::Unavailable,
                          u"No free name for a working document was found."_s);
        });
    }

    void closeInstance()
    {
        step(226, [&] { word().setDisplayAlerts(false); });
        step(228, [&] { document().Close(); });
        step(230, [&] { word().Quit(); });
        step(232, [&] { m_document.reset(); });
        step(234, [&] { m_word.reset(); });
        step(236, [&] { deleteTemplateCopy(); });
    }

    // Only the copy this run used: a file someone else put under the name stays theirs.
    void deleteTemplateCopy()
    {
        if (m_templateCopy)
            deleteWorkingFile(m_templateCopy->path(), m_templateCopy->identity());
        m_templateCopy.reset();
    }

    bool step(int number, const std::function<void()>& action)
    {
        return m_procedure.step(number, action);
    }

    GuardedProcedure& m_procedure;
    const ScheduleRequest& m_request;
    std::unique_ptr<automation::Application> m_word;
    std::optional<automation::Document> m_document;
    std::unique_ptr<OwnFile> m_templateCopy;
    QString m_workingPath;
    std::optional<FileIdentity> m_claim;
    std::shared_ptr<const OwnFile> m_workingDocument;
};

} // namespace

FilledSchedule fillScheduleTemplate(GuardedProcedure& procedure, const ScheduleRequest& request)
{
    return ScheduleRun(procedure, request).run();
}

} // namespace quillory
