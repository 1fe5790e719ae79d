#include "document/paged_output.h"

#include "base/failure.h"
#include "document/page_painting.h"

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

// Qt names itself as the PDF's producer and offers no way to change that. The entry is
// overwritten in place, padded with blanks, so that no offset in the file moves; a producer
// too short to hold ours is left as it is.
void nameProducer(QByteArray& pdf)
{
    const QByteArrayView key = "/Producer (";
    const qsizetype objectEnd = pdf.indexOf("endobj");
    const qsizetype start = pdf.indexOf(key);
    if (start < 0 || (objectEnd >= 0 && start > objectEnd))
        return;
    const qsizetype open = start + key.size() - 1;
    int depth = 0;
    qsizetype end = open;
    for (; end < pdf.size(); ++end) {
        if (pdf[end] == '\\')
            ++end;
        else if (pdf[end] == '(')
            ++depth;
        else if (pdf[end] == ')' && --depth == 0)
            break;
    }
    const QByteArray ours = '(' + Maker.toByteArray() + ')';
    const qsizetype length = end + 1 - open;
    if (end >= pdf.size() || length < ours.size())
        return;
    pdf.replace(open, length, ours + QByteArray(length - ours.size(), ' '));
}

std::vector<int> allPages(const DocumentLayout& layout)
{
    std::vector<int> pages(layout.pages().size());
    for (std::size_t i = 0; i < pages.size(); ++i)
        pages[i] = int(i);
    return pages;
}

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
                const PageSetup& page, const std::vector<int>& pages)
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
        paintPage(painter, layout.pages().at(std::size_t(index)), layout.textArea(), pixel);
        painter.restore();
    }
    painter.restore();
}

QByteArray pdfFromDocument(const Document& document, const QString& title)
{
    const DocumentLayout layout = layOutDocument(document);
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        // One unit per twip: the layout's own unit.
        writer.setResolution(TwipsPerInch);
        writer.setPageLayout(paperLayout(document.page));
        writer.setTitle(title);
        writer.setCreator(QString::fromLatin1(Maker));
        QPainter painter;
        if (!painter.begin(&writer))
            throw Failure(u"The PDF could not be started."_s);
        paintPages(painter, writer, layout, document.page, allPages(layout));
        painter.end();
    }
    nameProducer(pdf);
    return pdf;
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
