// SPDX-License-Identifier: MIT

#include "document/layout/layout_paragraph.h"

#include "document/layout/fonts.h"

#include <QHash>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>
#include <mutex>

namespace quillory::doc {

namespace {

QTextCharFormat textFormat(const CharFormat& format)
{
    QTextCharFormat text;
    text.setFont(layoutFont(format));
    text.setForeground(QColor::fromRgb(format.color.value_or(qRgb(0, 0, 0))));
    return text;
}

Qt::Alignment qtAlignment(Alignment alignment)
{
    switch (alignment) {
    case Alignment::Center: return Qt::AlignHCenter;
    case Alignment::Right: return Qt::AlignRight;
    case Alignment::Justify: return Qt::AlignJustify;
    case Alignment::Left: break;
    }
    return Qt::AlignLeft;
}

QTextOption textOption(const ParaFormat& format, int defaultTabWidth)
{
    QTextOption option(qtAlignment(format.alignment));
    // Paragraphs run left to right, as the document gives them; a text option would otherwise
    // take the program's direction, right to left under an Arabic or Hebrew translation.
    option.setTextDirection(Qt::LeftToRight);
    option.setUseDesignMetrics(true);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    option.setTabStopDistance(defaultTabWidth);
    QList<QTextOption::Tab> tabs;
    for (int position : format.tabStops)
        tabs.append(QTextOption::Tab(position, QTextOption::LeftTab));
    option.setTabs(tabs);
    return option;
}

bool hasOneFormat(const Paragraph& paragraph)
{
    return std::all_of(paragraph.runs.begin(), paragraph.runs.end(),
                       [&](const Run& run) { return run.format == paragraph.runs.front().format; });
}

QList<QTextLayout::FormatRange> formatRanges(const Paragraph& paragraph)
{
    QList<QTextLayout::FormatRange> ranges;
    int start = 0;
    for (const Run& run : paragraph.runs) {
        ranges.append({start, int(run.text.size()), textFormat(run.format)});
        start += int(run.text.size());
    }
    return ranges;
}

// Single line spacing: a line is as high as the ascent plus the descent of its tallest font,
// without the font's extra leading, as word processors space single-spaced lines. Row heights
// and page breaks follow from this rule.
qreal heightOf(const QTextLine& line)
{
    return line.ascent() + line.descent();
}

} // namespace

QFont layoutFont(const CharFormat& format)
{
    static std::once_flag substitutions;
    std::call_once(substitutions, installFontSubstitutions);
    // Resolved once per format: every paragraph of it then shares one font and its engines,
    // instead of looking them up again for each of a long schedule's cells.
    static std::mutex mutex;
    static QHash<QString, QFont> resolved;
    const QString key =
        format.font + u'/' + QString::number(format.halfPoints) + (format.bold ? u"/b" : u"");
    const std::lock_guard lock(mutex);
    const auto known = resolved.constFind(key);
    if (known != resolved.constEnd())
        return *known;
    QFont font(format.font);
    font.setPixelSize(std::max(1, format.halfPoints) * 10);
    if (format.bold)
        font.setWeight(boldWeight(font));
    font.setKerning(false);
    font.setHintingPreference(QFont::PreferNoHinting);
    resolved.insert(key, font);
    return font;
}

ParagraphLayout::ParagraphLayout(const Paragraph& paragraph, int defaultTabWidth, qreal width)
{
    if (paragraph.runs.empty() || paragraph.text().isEmpty()) {
        const QFontMetricsF metrics(layoutFont(paragraph.mark));
        m_height = metrics.ascent() + metrics.descent();
        const Qt::Alignment alignment = qtAlignment(paragraph.format.alignment);
        m_emptyX = alignment == Qt::AlignHCenter ? width / 2
                   : alignment == Qt::AlignRight ? width
                                                 : 0;
        return;
    }
    layOutText(paragraph, defaultTabWidth, width);
}

ParagraphLayout::~ParagraphLayout() = default;

void ParagraphLayout::layOutText(const Paragraph& paragraph, int defaultTabWidth, qreal width)
{
    const bool oneFormat = hasOneFormat(paragraph);
    m_text = std::make_unique<QTextLayout>(
        paragraph.text(), layoutFont(oneFormat ? paragraph.runs.front().format : paragraph.mark));
    if (oneFormat) {
        // Most paragraphs are one run: laid out in its font alone, without format ranges, a
        // layout keeps no format collection of its own, and a long schedule's memory is mostly
        // its layouts. The colour is the pen's.
        m_color = QColor::fromRgb(paragraph.runs.front().format.color.value_or(qRgb(0, 0, 0)));
    } else {
        m_text->setFormats(formatRanges(paragraph));
    }
    m_text->setCacheEnabled(true);
    m_text->setTextOption(textOption(paragraph.format, defaultTabWidth));
    m_text->beginLayout();
    for (QTextLine line = m_text->createLine(); line.isValid(); line = m_text->createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, m_height));
        m_height += heightOf(line);
    }
    m_text->endLayout();
}

int ParagraphLayout::lineCount() const
{
    return m_text ? m_text->lineCount() : 1;
}

qreal ParagraphLayout::lineTop(int line) const
{
    return m_text ? m_text->lineAt(line).y() : 0;
}

qreal ParagraphLayout::lineHeight(int line) const
{
    return m_text ? heightOf(m_text->lineAt(line)) : m_height;
}

std::pair<int, int> ParagraphLayout::lineCharacters(int line) const
{
    if (!m_text)
        return {0, 0};
    const QTextLine text = m_text->lineAt(line);
    return {text.textStart(), text.textLength()};
}

int ParagraphLayout::lineOf(int offset) const
{
    return m_text ? m_text->lineForTextPosition(offset).lineNumber() : 0;
}

qreal ParagraphLayout::xOf(int offset) const
{
    if (!m_text)
        return m_emptyX;
    const QTextLine line = m_text->lineForTextPosition(offset);
    return line.isValid() ? line.cursorToX(offset) : 0;
}

int ParagraphLayout::offsetAt(int line, qreal x) const
{
    return m_text ? m_text->lineAt(line).xToCursor(x) : 0;
}

void ParagraphLayout::drawLine(QPainter& painter, int line, const QPointF& origin) const
{
    if (!m_text)
        return;
    if (m_color && painter.pen().color() != *m_color)
        painter.setPen(*m_color);
    m_text->lineAt(line).draw(&painter, origin);
    drawReplacementBoxes(painter, *m_text, line, origin);
}

} // namespace quillory::doc
