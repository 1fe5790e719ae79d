// SPDX-License-Identifier: MIT

#include "document/automation/range.h"

#include "base/failure.h"
#include "document/automation/document_state.h"
#include "document/paint/picture_mime.h"
#include "document/paint/renderer.h"
#include "document/saved_documents.h"

#include <QClipboard>
#include <QGuiApplication>

namespace quillory::doc::automation {

using namespace Qt::StringLiterals;

Range::Range(std::shared_ptr<DocumentState> document, int shape)
    : m_document(document)
    , m_shape(shape)
    , m_find(std::move(document), shape)
{
}

automation::Find& Range::Find()
{
    m_document->requireOpen();
    return m_find;
}

void Range::CopyAsPicture() const
{
    m_document->requireOpen();
    if (m_shape >= 0)
        throw Failure(Failure::Unsupported, u"Only the main text can be copied as a picture."_s);
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard == nullptr)
        throw Failure(Failure::Unavailable, u"The clipboard cannot be reached."_s);
    // Recorded as it is laid out; the PDF and printing of the saved file take this picture.
    auto picture = std::make_shared<const VectorPicture>(recordDocument(m_document->content()));
    rememberPicture(m_document->sharedContent(), picture);
    clipboard->setMimeData(new PictureMimeData(std::move(picture)));
}

} // namespace quillory::doc::automation
