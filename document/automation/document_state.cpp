// SPDX-License-Identifier: MIT

#include "document/automation/document_state.h"

#include "base/failure.h"

#include <algorithm>

namespace quillory::doc::automation {

using namespace Qt::StringLiterals;

DocumentState::DocumentState(std::weak_ptr<ApplicationState> application,
                             std::shared_ptr<const doc::Document> content, QString path,
                             bool readOnly)
    : path(std::move(path))
    , readOnly(readOnly)
    , m_application(std::move(application))
    , m_content(std::move(content))
{
}

void DocumentState::requireOpen() const
{
    const std::shared_ptr<ApplicationState> application = m_application.lock();
    if (!application)
        throw Failure(Failure::InvalidState, u"The document component has quit."_s);
    application->requireRunning();
    if (!open)
        throw Failure(Failure::InvalidState, u"The document is closed."_s);
}

doc::Document& DocumentState::edit()
{
    m_layout.reset();
    if (m_content.use_count() > 1)
        m_content = std::make_shared<doc::Document>(*m_content);
    // Every content is made changeable (openDocument, the copy above); only its sole holder
    // changes it.
    return const_cast<doc::Document&>(*m_content);
}

const DocumentLayout& DocumentState::layout()
{
    if (!m_layout)
        m_layout = std::make_shared<const DocumentLayout>(layOutDocument(*m_content));
    return *m_layout;
}

void ApplicationState::requireRunning() const
{
    if (!running)
        throw Failure(Failure::InvalidState, u"The document component has quit."_s);
}

std::shared_ptr<DocumentState> ApplicationState::activeDocument() const
{
    requireRunning();
    if (documents.empty())
        throw Failure(Failure::InvalidState, u"No document is open."_s);
    return documents.back();
}

void DocumentState::close()
{
    open = false;
    if (const std::shared_ptr<ApplicationState> application = m_application.lock())
        std::erase_if(application->documents,
                      [this](const auto& open) { return open.get() == this; });
}

void ApplicationState::quit()
{
    for (const std::shared_ptr<DocumentState>& document : documents)
        document->open = false;
    documents.clear();
    running = false;
}

} // namespace quillory::doc::automation
