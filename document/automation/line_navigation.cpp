// SPDX-License-Identifier: MIT

#include "document/automation/line_navigation.h"

#include "document/layout/layout_table.h"

#include <algorithm>

namespace quillory::doc {

namespace {

int cellUnder(const Row& row, qreal x)
{
    const std::vector<qreal> edges = cellEdges(row);
    const auto right = std::upper_bound(edges.begin() + 1, edges.end() - 1, x);
    return int(right - edges.begin()) - 1;
}

std::optional<LinePlace> firstLineOfBlock(const Document& document, int block, qreal x)
{
    for (; block < int(document.body.size()); ++block) {
        const auto* table = std::get_if<Table>(&document.body[block]);
        if (table == nullptr)
            return LinePlace{{-1, block, -1, -1, 0}, 0};
        if (!table->rows.empty() && !table->rows.front().cells.empty())
            return LinePlace{cellStart(block, 0, cellUnder(table->rows.front(), x)), 0};
    }
    return std::nullopt;
}

std::optional<LinePlace> nextInTable(const Document& document, const ParagraphAddress& from,
                                     qreal x)
{
    const Table& table = std::get<Table>(document.body[from.block]);
    const Cell& cell = table.rows[from.row].cells[from.cell];
    if (from.paragraph + 1 < int(cell.paragraphs.size())) {
        ParagraphAddress next = from;
        ++next.paragraph;
        return LinePlace{next, 0};
    }
    for (int row = from.row + 1; row < int(table.rows.size()); ++row) {
        if (!table.rows[row].cells.empty())
            return LinePlace{cellStart(from.block, row, cellUnder(table.rows[row], x)), 0};
    }
    return firstLineOfBlock(document, from.block + 1, x);
}

} // namespace

LinePlace lineOf(const DocumentLayout& layout, const TextPosition& position)
{
    return {position.paragraph, layout.place(position.paragraph).layout->lineOf(position.offset)};
}

qreal caretX(const DocumentLayout& layout, const TextPosition& position)
{
    const ParagraphPlace& place = layout.place(position.paragraph);
    return place.origin.x() + place.layout->xOf(position.offset);
}

std::optional<LinePlace> lineBelow(const Document& document, const DocumentLayout& layout,
                                   const LinePlace& from, qreal x)
{
    if (from.line + 1 < layout.place(from.paragraph).layout->lineCount())
        return LinePlace{from.paragraph, from.line + 1};
    if (from.paragraph.inTable())
        return nextInTable(document, from.paragraph, x);
    return firstLineOfBlock(document, from.paragraph.block + 1, x);
}

TextPosition positionOnLine(const DocumentLayout& layout, const LinePlace& line, qreal x)
{
    const ParagraphPlace& place = layout.place(line.paragraph);
    return {line.paragraph, place.layout->offsetAt(line.line, x - place.origin.x())};
}

} // namespace quillory::doc
