// SPDX-License-Identifier: MIT

#include "document/docx/docx_body.h"

#include "document/docx/docx_text.h"

#include <algorithm>
#include <charconv>
#include <iterator>

namespace quillory::doc::docx {

using namespace Qt::StringLiterals;

namespace {

int clampLength(int twips)
{
    return std::clamp(twips, 0, MaxLength);
}

// Cells narrower than a twip would share a grid line with their neighbour.
int cellWidth(const Cell& cell)
{
    return std::clamp(cell.width, 1, MaxLength);
}

void appendNumber(QByteArray& out, qint64 value)
{
    char digits[24];
    out.append(digits, std::to_chars(std::begin(digits), std::end(digits), value).ptr - digits);
}

// An element with one w:val attribute: <w:name w:val="value"/>.
void appendValue(QByteArray& out, const char* name, qint64 value)
{
    out.append("<w:").append(name).append(" w:val=\"");
    appendNumber(out, value);
    out.append("\"/>");
}

// A colour as six hexadecimal digits, red first.
void appendHex(QByteArray& out, QRgb color)
{
    static constexpr char Digits[] = "0123456789ABCDEF";
    for (int shift = 20; shift >= 0; shift -= 4)
        out.append(Digits[(color >> shift) & 0xF]);
}

void appendColor(QByteArray& out, const std::optional<QRgb>& color)
{
    out.append("<w:color w:val=\"");
    if (color)
        appendHex(out, *color);
    else
        out.append("auto");
    out.append("\"/>");
}

void appendFace(QByteArray& out, const char* attribute, QStringView face)
{
    out.append(' ').append(attribute).append("=\"");
    appendEscaped(out, face.left(MaxFontNameLength));
    out.append('"');
}

int halfPoints(const CharFormat& format)
{
    return std::clamp(format.halfPoints, 1, MaxHalfPoints);
}

void appendBold(QByteArray& out, bool bold)
{
    out.append(bold ? "<w:b/><w:bCs/>" : "<w:b w:val=\"0\"/><w:bCs w:val=\"0\"/>");
}

void appendSize(QByteArray& out, const CharFormat& format)
{
    appendValue(out, "sz", halfPoints(format));
    appendValue(out, "szCs", halfPoints(format));
}

// The run properties that make `format` out of `base`, nothing when they are alike, with the
// face and language of a complex script when there is one.
void appendRunProperties(QByteArray& out, const CharFormat& format, const CharFormat& base,
                         QLatin1StringView complexFace = {}, QLatin1StringView language = {})
{
    const bool font = format.font != base.font;
    const bool color = format.color != base.color;
    const bool size = halfPoints(format) != halfPoints(base);
    if (!font && complexFace.isEmpty() && format.bold == base.bold && !color && !size)
        return;
    out.append("<w:rPr>");
    if (font || !complexFace.isEmpty()) {
        out.append("<w:rFonts");
        if (font) {
            appendFace(out, "w:ascii", format.font);
            appendFace(out, "w:hAnsi", format.font);
        }
        if (!complexFace.isEmpty())
            appendFace(out, "w:cs", QString(complexFace));
        out.append("/>");
    }
    if (format.bold != base.bold)
        appendBold(out, format.bold);
    if (color)
        appendColor(out, format.color);
    if (size)
        appendSize(out, format);
    if (!language.isEmpty())
        out.append("<w:lang w:bidi=\"").append(language.data(), language.size()).append("\"/>");
    out.append("</w:rPr>");
}

void appendRun(QByteArray& out, const Run& run, const CharFormat& base, bool& afterCr)
{
    for (const ScriptPiece& piece : scriptPieces(run.text)) {
        const qsizetype start = out.size();
        out.append("<w:r>");
        appendRunProperties(out, run.format, base, piece.face, piece.language);
        const qsizetype content = out.size();
        appendRunContent(out, piece.text, afterCr);
        if (out.size() == content)
            out.truncate(start); // only characters that are not text
        else
            out.append("</w:r>");
    }
}

void appendParagraph(QByteArray& out, const Paragraph& paragraph, const CharFormat& base)
{
    out.append("<w:p>");
    const qsizetype properties = out.size();
    out.append("<w:pPr>");
    const qsizetype empty = out.size();
    const std::size_t tabStops =
        std::min(paragraph.format.tabStops.size(), std::size_t(MaxTabStops));
    if (tabStops > 0) {
        out.append("<w:tabs>");
        for (std::size_t i = 0; i < tabStops; ++i) {
            out.append("<w:tab w:val=\"left\" w:pos=\"");
            appendNumber(out, clampLength(paragraph.format.tabStops[i]));
            out.append("\"/>");
        }
        out.append("</w:tabs>");
    }
    static constexpr const char* Alignments[] = {nullptr, "center", "right", "both"};
    if (const char* alignment = Alignments[int(paragraph.format.alignment)])
        out.append("<w:jc w:val=\"").append(alignment).append("\"/>");
    appendRunProperties(out, paragraph.mark, base);
    if (out.size() == empty)
        out.truncate(properties);
    else
        out.append("</w:pPr>");
    bool afterCr = false;
    for (const Run& run : paragraph.runs)
        appendRun(out, run, base, afterCr);
    out.append("</w:p>");
}

// The right edges of a table's grid columns: every cell edge of every row, so that each cell
// spans whole columns.
std::vector<int> tableGrid(const Table& table)
{
    std::vector<int> edges;
    const Row* previous = nullptr;
    for (const Row& row : table.rows) {
        const auto sameWidth = [](const Cell& a, const Cell& b) {
            return cellWidth(a) == cellWidth(b);
        };
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

void appendBaseRunProperties(QByteArray& out, const CharFormat& format)
{
    out.append("<w:rPr><w:rFonts");
    appendFace(out, "w:ascii", format.font);
    appendFace(out, "w:hAnsi", format.font);
    appendFace(out, "w:eastAsia", QString::fromLatin1(EastAsianFace));
    appendFace(out, "w:cs", format.font);
    out.append("/>");
    if (format.bold)
        appendBold(out, true);
    if (format.color)
        appendColor(out, format.color);
    appendSize(out, format);
    out.append("</w:rPr>");
}

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
