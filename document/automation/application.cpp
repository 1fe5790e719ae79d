// SPDX-License-Identifier: MIT

#include "document/automation/application.h"

#include "base/failure.h"
#include "document/automation/document_state.h"
#include "document/document_file.h"
#include "document/layout/fonts.h"
#include "document/saved_documents.h"

#include <QFileInfo>
#include <QFont>
#include <QFontInfo>
#include <QGuiApplication>

#include <cerrno>

#include <fcntl.h>

namespace quillory::doc::automation {

using namespace Qt::StringLiterals;

namespace {

// The template is designed in Century Gothic; without it or its metric-compatible stand-in,
// every line break and row height would differ from the saved document's.
void requireTemplateFonts()
{
    installFontSubstitutions();
    const QString wanted = u"Century Gothic"_s;
    // Fontconfig names a family with its foundry, "URW Gothic [UKWN]".
    const QString resolved = QFontInfo(QFont(wanted)).family().section(u" ["_s, 0, 0);
    if (resolved.compare(wanted, Qt::CaseInsensitive) != 0 &&
        resolved.compare(QFont::substitute(wanted), Qt::CaseInsensitive) != 0)
        throw Failure(Failure::NotFound,
                      u"The font %1 cannot be found (it resolves to %2)."_s.arg(wanted, resolved));
}

// A file this component has just saved is not read back: its model is taken as it was saved.
std::shared_ptr<const doc::Document> readDocument(const QString& path)
{
    checkDocumentFile(path);
    const FileDescriptor file = FileDescriptor::open(path, O_RDONLY);
    if (!file.isOpen())
        throw Failure(Failure::SystemError,
                      u"The document %1 cannot be read: %2"_s.arg(path, systemReason(errno)));
    std::shared_ptr<const doc::Document> document = openDocument(file, path);
    // Every document has a paragraph to hold the insertion point.
    if (storyParagraphs(*document, -1).empty()) {
        auto withParagraph = std::make_shared<doc::Document>(*document);
        withParagraph->body.push_back(Paragraph{{}, {}, document->base});
        return withParagraph;
    }
    return document;
}

TextPosition documentStart(const doc::Document& content)
{
    return {storyParagraphs(content, -1).front(), 0};
}

} // namespace

Documents::Documents(std::shared_ptr<ApplicationState> application)
    : m_application(std::move(application))
{
}

Document Documents::Open(const QString& FileName, bool ReadOnly)
{
    m_application->requireRunning();
    std::shared_ptr<const doc::Document> content = readDocument(FileName);
    const TextPosition start = documentStart(*content);
    auto state = std::make_shared<DocumentState>(m_application, std::move(content),
                                                 QFileInfo(FileName).absoluteFilePath(), ReadOnly);
    state->selection.caret = start;
    m_application->documents.push_back(state);
    return Document(state);
}

int Documents::Count() const
{
    m_application->requireRunning();
    return int(m_application->documents.size());
}

Application::Application()
{
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr)
        throw Failure(Failure::Unavailable,
                      u"The document component needs a running graphical application."_s);
    requireTemplateFonts();
    m_state = std::make_shared<ApplicationState>();
}

Application::~Application()
{
    m_state->quit();
}

void Application::Quit()
{
    m_state->requireRunning();
    m_state->quit();
}

bool Application::DisplayAlerts() const
{
    m_state->requireRunning();
    return m_state->displayAlerts;
}

void Application::setDisplayAlerts(bool displayAlerts)
{
    m_state->requireRunning();
    m_state->displayAlerts = displayAlerts;
}

Documents Application::Documents() const
{
    m_state->requireRunning();
    return automation::Documents(m_state);
}

Selection Application::Selection() const
{
    m_state->requireRunning();
    return automation::Selection(m_state);
}

Document Application::ActiveDocument() const
{
    return Document(m_state->activeDocument());
}

} // namespace quillory::doc::automation
