#include "document/automation/range.h"

#include "base/failure.h"
#include "document/automation/document_state.h"
#include "document/renderer.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <cmath>

namespace quillory::doc::automation {

using namespace Qt::StringLiterals;

namespace {

// A very long table pictured at a high ratio would take gigabytes; the ratio is lowered as far
// as it takes to stay within this many device pixels (256 MB).
constexpr qreal MaxPicturePixels = 64.0 * 1024 * 1024;

qreal pictureDevicePixelRatio(const DocumentLayout& layout)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const qreal wanted = screen != nullptr ? screen->devicePixelRatio() : 2.0;
    const QSize size = pictureSize(layout);
    return std::min(wanted, std::sqrt(MaxPicturePixels / (qreal(size.width()) * size.height())));
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
    const DocumentLayout& layout = m_document->layout();
    const QImage picture = renderMainText(layout, pictureDevicePixelRatio(layout));
    if (picture.isNull())
        throw Failure(u"There is not enough memory for the picture of the document."_s);
    clipboard->setImage(picture);
}

} // namespace quillory::doc::automation
