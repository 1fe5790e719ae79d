// SPDX-License-Identifier: MIT

#include "document/pdf/pdf_output.h"

#include "base/failure.h"
#include "document/layout/glyph_text.h"
#include "document/paint/paged_output.h"
#include "document/paint/renderer.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>

namespace quillory::doc {

using namespace Qt::StringLiterals;

namespace {

constexpr int TwipsPerInch = 1440;
constexpr QByteArrayView Maker = "Quillory";

} // namespace

PaintedPdf paintedPdf(const VectorPicture& picture, const PageSetup& page, const QString& title,
                      const std::vector<int>& pages)
{
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    GlyphTextRecorder recorder;
    {
        QPdfWriter writer(&buffer);
        // One unit per twip: the layout's own unit.
        writer.setResolution(TwipsPerInch);
        writer.setPageLayout(paperLayout(page));
        writer.setTitle(title);
        writer.setCreator(QString::fromLatin1(Maker));
        QPainter painter;
        if (!painter.begin(&writer))
            throw Failure(Failure::SystemError, u"The PDF could not be started."_s);
        paintPages(painter, writer, picture, page, pages, &recorder);
        painter.end();
    }
    return {std::move(pdf), recorder.faces(), recorder.spans(), recorder.glyphCount()};
}

QByteArray pdfFromPicture(const VectorPicture& picture, const PageSetup& page, const QString& title,
                          const std::vector<int>& pages)
{
    return finishedPdf(paintedPdf(picture, page, title, pages), Maker);
}

QByteArray pdfFromDocument(const Document& document, const QString& title)
{
    const VectorPicture picture = recordDocument(document);
    return pdfFromPicture(picture, document.page, title, allPages(picture));
}

} // namespace quillory::doc
