// SPDX-License-Identifier: MIT

#include "document/layout/layout_row_parts.h"

#include <algorithm>
#include <limits>

namespace quillory::doc {

namespace {

// Lengths come from sums of font metrics; a line that fits exactly must not fail on rounding.
constexpr qreal Tolerance = 1e-6;

qreal alignmentShare(VerticalAlignment alignment)
{
    switch (alignment) {
    case VerticalAlignment::Center: return 0.5;
    case VerticalAlignment::Bottom: return 1;
    case VerticalAlignment::Top: break;
    }
    return 0;
}

bool atEnd(const CellBox& cell, const CellCursor& at)
{
    return at.paragraph >= int(cell.paragraphs.size());
}

} // namespace

RowSplitter::RowSplitter(const RowBox& row)
    : m_row(row)
    , m_cursors(row.cells.size())
{
    for (const CellBox& cell : row.cells)
        m_remaining += atEnd(cell, {}) ? 0 : 1;
}

RowPart RowSplitter::whole(const RowBox& row)
{
    return *RowSplitter(row).next(std::numeric_limits<qreal>::infinity(), true);
}

std::optional<RowPart> RowSplitter::next(qreal space, bool mustProgress)
{
    RowPart part{0, std::vector<CellPart>(m_row.cells.size())};
    std::vector<qreal> heights(m_row.cells.size(), 0);
    bool progressed = false;
    for (int cell = 0; cell < int(m_row.cells.size()); ++cell) {
        heights[cell] = takeLines(cell, space, part.cells[cell]);
        progressed = progressed || part.cells[cell].from != part.cells[cell].to;
    }
    if (!progressed && m_remaining > 0) {
        if (!mustProgress)
            return std::nullopt; // nothing was taken
        for (int cell = 0; cell < int(m_row.cells.size()); ++cell) {
            CellCursor& at = m_cursors[cell];
            if (atEnd(m_row.cells[cell], at))
                continue;
            heights[cell] = lineHeight(cell, at);
            advance(cell, at);
            part.cells[cell].to = at;
        }
    }
    m_started = true;
    for (const qreal height : heights)
        part.height = std::max(part.height, height);
    if (m_remaining == 0)
        part.height = std::max(part.height, std::min(m_row.minimumHeight - m_placedHeight, space));
    m_placedHeight += part.height;
    alignCells(part, heights);
    return part;
}

qreal RowSplitter::takeLines(int cell, qreal space, CellPart& part)
{
    CellCursor& at = m_cursors[cell];
    part.from = part.to = at;
    qreal height = 0;
    while (!atEnd(m_row.cells[cell], at) && height + lineHeight(cell, at) <= space + Tolerance) {
        height += lineHeight(cell, at);
        advance(cell, at);
    }
    part.to = at;
    return height;
}

qreal RowSplitter::lineHeight(int cell, const CellCursor& at) const
{
    return m_row.cells[cell].paragraphs[at.paragraph]->lineHeight(at.line);
}

void RowSplitter::advance(int cell, CellCursor& at)
{
    const CellBox& box = m_row.cells[cell];
    if (++at.line < box.paragraphs[at.paragraph]->lineCount())
        return;
    at.line = 0;
    if (++at.paragraph == int(box.paragraphs.size()))
        --m_remaining;
}

// A cell whose lines all lie in this part is aligned in it; a cell that breaks keeps its lines
// at the top, so they read on from the part before.
void RowSplitter::alignCells(RowPart& part, const std::vector<qreal>& heights) const
{
    for (std::size_t cell = 0; cell < part.cells.size(); ++cell) {
        CellPart& lines = part.cells[cell];
        if (lines.from == CellCursor{} && atEnd(m_row.cells[cell], lines.to))
            lines.top = (part.height - heights[cell]) *
                        alignmentShare(m_row.cells[cell].cell->verticalAlignment);
    }
}

} // namespace quillory::doc
