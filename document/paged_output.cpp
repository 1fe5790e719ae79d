#include "document/paged_output.h"

#include "base/failure.h"
#include "document/glyph_text.h"
#include "document/page_painting.h"
#include "document/pdf_finishing.h"

#include <QBuffer>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

namespace quillory::doc {

using namespace Qt::StringLiterals;

namespace {

constexpr int TwipsPerInch = 1440;
constexpr QByteArrayView Maker = "Quillory";

bool isControl(QChar c)
{
    return c.category() == QChar::Other_Control;
}

} // namespace

QPageLayout paperLayout(const PageSetup& page)
{
    const bool landscape = page.width > page.height;
    const QSizeF portrait(std::min(page.width, page.height), std::max(page.width, page.height));
    return QPageLayout(QPageSize(portrait / TwipsPerInch, QPageSize::Inch),
                       landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(0, 0, 0, 0));
}

void paintPages(QPainter& painter, QPagedPaintDevice& device, const DocumentLayout& layout,
                const PageSetup& page, const std::vector<int>& pages, GlyphTextRecorder* recorder)
{
    painter.save();
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    painter.scale(qreal(device.logicalDpiX()) / TwipsPerInch,
                  qreal(device.logicalDpiY()) / TwipsPerInch);
    // One device pixel, in twips: fills snap to the device's own grid.
    const qreal pixel = qreal(TwipsPerInch) / std::max(1, device.logicalDpiX());
    bool first = true;
    for (const int index : pages) {
        if (!first && !device.newPage())
            throw Failure(u"A new page could not be started."_s);
        first = false;
        painter.save();
        painter.translate(page.marginLeft, page.marginTop);
        paintPage(painter, layout.pages().at(std::size_t(index)), layout.textArea(), pixel,
                  recorder);
        painter.restore();
    }
    painter.restore();
}

QByteArray pdfFromLayout(const DocumentLayout& layout, const PageSetup& page, const QString& title,
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
            throw Failure(u"The PDF could not be started."_s);
        paintPages(painter, writer, layout, page, pages, &recorder);
        painter.end();
    }
    return finishedPdf(std::move(pdf), recorder.faces(), Maker);
}

std::vector<int> allPages(const DocumentLayout& layout)
{
    std::vector<int> pages(layout.pages().size());
    for (std::size_t i = 0; i < pages.size(); ++i)
        pages[i] = int(i);
    return pages;
}

QByteArray pdfFromDocument(const Document& document, const QString& title)
{
    const DocumentLayout layout = layOutDocument(document);
    return pdfFromLayout(layout, document.page, title, allPages(layout));
}

QString scheduleTitle(const Document& document)
{
    if (document.body.empty() || !std::holds_alternative<Paragraph>(document.body.front()))
        return QString();
    const QString text = std::get<Paragraph>(document.body.front()).text();
    const qsizetype tab = text.lastIndexOf(u'\t');
    QString title = tab < 0 ? text : text.left(tab);
    title.replace(u'\t', u' ');
    title.removeIf(isControl);
    return title.trimmed();
}

} // namespace quillory::doc
