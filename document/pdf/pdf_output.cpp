// SPDX-License-Identifier: MIT

#include "document/pdf/pdf_output.h"

#include "base/failure.h"
#include "document/layout/glyph_text.h"
#include "document/paint/paged_output.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>

namespace quillory::doc {

using namespace Qt::StringLiterals;

namespace {

constexpr int TwipsPerInch = 1440;
constexpr QByteArrayView Maker = "Quillory";

} // namespace

PaintedPdf paintedPdf(const DocumentLayout& layout, const PageSetup& page, const QString& title,
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
        paintPages(painter, writer, layout, page, pages, &recorder);
        painter.end();
    }
    return {std::move(pdf), recorder.faces(), recorder.spans(), recorder.glyphCount()};
}

QByteArray pdfFromLayout(const DocumentLayout& layout, const PageSetup& page, const QString& title,
                         const std::vector<int>& pages)
{
    return finishedPdf(paintedPdf(layout, page, title, pages), Maker);
}

QByteArray pdfFromDocument(const Document& document, const QString& title)
{
    const DocumentLayout layout = layOutDocument(document);
    return pdfFromLayout(layout, document.page, title, allPages(layout));
}

} // namespace quillory::doc
