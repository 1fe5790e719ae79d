#include "document/automation/range.h"

#include "app/core/failure.h"
#include "document/automation/document_state.h"
#include "document/renderer.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QScreen>

namespace quillory::doc::automation {

using namespace Qt::StringLiterals;

namespace {

qreal pictureDevicePixelRatio()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->devicePixelRatio() : 2.0;
}

} // namespace

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
        throw Failure(u"Only the main text can be copied as a picture."_s);
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard == nullptr)
        throw Failure(u"The clipboard cannot be reached."_s);
    clipboard->setImage(renderMainText(m_document->layout(), pictureDevicePixelRatio()));
}

} // namespace quillory::doc::automation
