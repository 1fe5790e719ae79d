// SPDX-License-Identifier: MIT

#include "document/docx/docx_body.h"

#include "document/docx/docx_paragraph.h"
#include "document/docx/docx_text.h"

#include <algorithm>

namespace quillory::doc::docx {

namespace {

// Cells narrower than a twip would share a grid line with their neighbour.
int cellWidth(const Cell& cell)
{
    return std::clamp(cell.width, 1, MaxLength);
}

// The right edges of a table's grid columns: every cell edge of every row, so that each cell
// spans whole columns.
std::vector<int> tableGrid(const Table& table)
{
    const auto sameWidth = [](const Cell& a, const Cell& b) {
        return cellWidth(a) == cellWidth(b);
    };
    std::vector<int> edges;
    const Row* previous = nullptr;
    for (const Row& row : table.rows) {
        if (previous && std::equal(row.cells.begin(), row.cells.end(), previous->cells.begin(),
                                   previous->cells.end(), sameWidth))
            continue; // most rows are like the one before
        int right = 0;
        for (const Cell& cell : row.cells)
            edges.push_back(right += cellWidth(cell));
        previous = &row;
    }
    std::sort(edges.begin(), edges.end());
    edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
    return edges;
}

// The grid columns up to a cell's edge (0: the table's left edge).
qsizetype columnsUpTo(const std::vector<int>& grid, int edge)
{
    return edge == 0 ? 0 : std::lower_bound(grid.begin(), grid.end(), edge) - grid.begin() + 1;
}

void appendBorder(QByteArray& out, const char* side, const Borders& borders)
{
    out.append("<w:").append(side);
    if (borders.width <= 0) {
        out.append(" w:val=\"nil\"/>");
        return;
    }
    // Eighths of a point, from twips; 2 to 96 are the widths a reader draws.
    out.append(" w:val=\"single\" w:sz=\"");
    appendNumber(out, std::clamp((clampLength(borders.width) * 2 + 2) / 5, 2, 96));
    out.append("\" w:space=\"0\"");
    out.append(" w:color=\"");
    appendHex(out, borders.color);
    out.append("\"/>");
}

void appendWidth(QByteArray& out, const char* name, int twips)
{
    out.append("<w:").append(name).append(" w:w=\"");
    appendNumber(out, twips);
    out.append("\" w:type=\"dxa\"/>");
}

// The table's own properties: fixed column widths from the left margin, one line around and
// between all cells, the padding; then its grid.
void appendTableStart(QByteArray& out, const Table& table, const std::vector<int>& grid)
{
    out.append("<w:tbl><w:tblPr>");
    appendWidth(out, "tblW", grid.empty() ? 0 : grid.back());
    appendWidth(out, "tblInd", 0);
    out.append("<w:tblBorders>");
    for (const char* side : {"top", "left", "bottom", "right", "insideH", "insideV"})
        appendBorder(out, side, table.borders);
    out.append("</w:tblBorders><w:tblLayout w:type=\"fixed\"/><w:tblCellMar>");
    appendWidth(out, "top", 0);
    appendWidth(out, "left", clampLength(table.paddingLeft));
    appendWidth(out, "bottom", 0);
    appendWidth(out, "right", clampLength(table.paddingRight));
    out.append("</w:tblCellMar></w:tblPr><w:tblGrid>");
    int left = 0;
    for (const int right : grid) {
        out.append("<w:gridCol w:w=\"");
        appendNumber(out, right - left);
        out.append("\"/>");
        left = right;
    }
    out.append("</w:tblGrid>");
}

void appendCell(QByteArray& out, const Cell& cell, qsizetype span, const CharFormat& base)
{
    out.append("<w:tc><w:tcPr>");
    appendWidth(out, "tcW", cellWidth(cell));
    if (span > 1)
        appendValue(out, "gridSpan", span);
    if (cell.shading) {
        out.append("<w:shd w:val=\"clear\" w:color=\"auto\" w:fill=\"");
        appendHex(out, *cell.shading);
        out.append("\"/>");
    }
    if (cell.noWrap)
        out.append("<w:noWrap/>");
    static constexpr const char* Vertical[] = {nullptr, "center", "bottom"};
    if (const char* vertical = Vertical[int(cell.verticalAlignment)])
        out.append("<w:vAlign w:val=\"").append(vertical).append("\"/>");
    out.append("</w:tcPr>");
    if (cell.paragraphs.empty())
        appendParagraph(out, Paragraph{}, base);
    for (const Paragraph& paragraph : cell.paragraphs)
        appendParagraph(out, paragraph, base);
    out.append("</w:tc>");
}

void appendRow(QByteArray& out, const Row& row, const std::vector<int>& grid,
               const CharFormat& base)
{
    out.append("<w:tr><w:trPr>");
    int right = 0;
    for (const Cell& cell : row.cells)
        right += cellWidth(cell);
    if (const qsizetype after = qsizetype(grid.size()) - columnsUpTo(grid, right); after > 0)
        appendValue(out, "gridAfter", after);
    if (row.repeatAsHeading)
        out.append("<w:tblHeader/>");
    if (row.minimumHeight > 0) {
        out.append("<w:trHeight w:val=\"");
        appendNumber(out, clampLength(row.minimumHeight));
        out.append("\" w:hRule=\"atLeast\"/>");
    }
    out.append("</w:trPr>");
    int left = 0;
    for (const Cell& cell : row.cells) {
        const int edge = left + cellWidth(cell);
        appendCell(out, cell, columnsUpTo(grid, edge) - columnsUpTo(grid, left), base);
        left = edge;
    }
    out.append("</w:tr>");
}

void appendSection(QByteArray& out, const PageSetup& page)
{
    out.append("<w:sectPr><w:pgSz w:w=\"");
    appendNumber(out, clampLength(page.width));
    out.append("\" w:h=\"");
    appendNumber(out, clampLength(page.height));
    if (page.landscape)
        out.append("\" w:orient=\"landscape");
    out.append("\"/><w:pgMar");
    const std::pair<const char*, int> margins[] = {{"top", page.marginTop},
                                                   {"right", page.marginRight},
                                                   {"bottom", page.marginBottom},
                                                   {"left", page.marginLeft},
                                                   {"header", page.headerDistance},
                                                   {"footer", page.footerDistance},
                                                   {"gutter", 0}};
    for (const auto& [side, twips] : margins) {
        out.append(" w:").append(side).append("=\"");
        appendNumber(out, clampLength(twips));
        out.append('"');
    }
    out.append("/></w:sectPr>");
}

bool isWrittenRow(const Row& row)
{
    return !row.cells.empty();
}

} // namespace

BodyWriter::BodyWriter(const Document& document)
    : m_document(document)
{
}

bool BodyWriter::next(QByteArray& out)
{
    if (m_done)
        return false;
    if (!std::exchange(m_headWritten, true)) {
        out.append("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
                   "<w:document xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/"
                   "2006/main\"><w:body>");
        return true;
    }
    if (m_block < m_document.body.size()) {
        nextBlock(out);
        return true;
    }
    // A document ends with a paragraph; after a table a reader would add one of its own.
    if (m_document.body.empty() || std::holds_alternative<Table>(m_document.body.back()))
        appendParagraph(out, Paragraph{{}, {}, m_document.base}, m_document.base);
    appendSection(out, m_document.page);
    out.append("</w:body></w:document>");
    m_done = true;
    return true;
}

void BodyWriter::nextBlock(QByteArray& out)
{
    const Block& block = m_document.body[m_block];
    if (const auto* paragraph = std::get_if<Paragraph>(&block)) {
        appendParagraph(out, *paragraph, m_document.base);
        ++m_block;
        return;
    }
    const Table& table = std::get<Table>(block);
    if (!m_inTable) {
        // A table without cells is not written.
        if (std::none_of(table.rows.begin(), table.rows.end(), isWrittenRow)) {
            ++m_block;
            return;
        }
        m_grid = tableGrid(table);
        appendTableStart(out, table, m_grid);
        m_inTable = true;
        m_row = 0;
        return;
    }
    for (; m_row < table.rows.size(); ++m_row) {
        if (isWrittenRow(table.rows[m_row])) {
            appendRow(out, table.rows[m_row], m_grid, m_document.base);
            ++m_row;
            return;
        }
    }
    out.append("</w:tbl>");
    m_inTable = false;
    ++m_block;
}

} // namespace quillory::doc::docx
