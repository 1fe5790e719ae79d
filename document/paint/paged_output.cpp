// SPDX-License-Identifier: MIT

#include "document/paint/paged_output.h"

#include "base/failure.h"
#include "document/layout/glyph_text.h"
#include "document/paint/page_painting.h"

#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>

namespace quillory::doc {

using namespace Qt::StringLiterals;

namespace {

constexpr int TwipsPerInch = 1440;

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
            throw Failure(Failure::SystemError, u"A new page could not be started."_s);
        first = false;
        painter.save();
        painter.translate(page.marginLeft, page.marginTop);
        paintPage(painter, layout.pages().at(std::size_t(index)), layout.textArea(), pixel,
                  recorder);
        painter.restore();
    }
    painter.restore();
}

std::vector<int> allPages(const DocumentLayout& layout)
{
    std::vector<int> pages(layout.pages().size());
    for (std::size_t i = 0; i < pages.size(); ++i)
        pages[i] = int(i);
    return pages;
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
