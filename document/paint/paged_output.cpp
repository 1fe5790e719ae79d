// SPDX-License-Identifier: MIT

#include "document/paint/paged_output.h"

#include "base/failure.h"

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

void paintPages(QPainter& painter, QPagedPaintDevice& device, const VectorPicture& picture,
                const PageSetup& page, const std::vector<int>& pages, GlyphTextRecorder* recorder)
{
    painter.save();
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    painter.scale(qreal(device.logicalDpiX()) / TwipsPerInch,
                  qreal(device.logicalDpiY()) / TwipsPerInch);
    // One device pixel, in twips: fills snap to the device's own grid.
    const PageTarget paper{QSizeF(page.textWidth(), page.textHeight()),
                           qreal(TwipsPerInch) / std::max(1, device.logicalDpiX()), recorder, true};
    bool first = true;
    for (const int index : pages) {
        if (!first && !device.newPage())
            throw Failure(Failure::SystemError, u"A new page could not be started."_s);
        first = false;
        painter.save();
        painter.translate(page.marginLeft, page.marginTop);
        picture.playOnPaper(painter, std::size_t(index), paper);
        painter.restore();
    }
    painter.restore();
}

std::vector<int> allPages(const VectorPicture& picture)
{
    std::vector<int> pages(picture.pages().size());
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
