// SPDX-License-Identifier: MIT

#include "document/layout/layout.h"

#include "document/layout/layout_row_parts.h"

namespace quillory::doc {

// Fills pages from the top down, keeping the current page and the height used on it.
class LayoutBuilder {
public:
    // With a sink, each page goes to it once complete and nothing else is kept.
    explicit LayoutBuilder(const Document& document, const PageSink* sink = nullptr)
        : m_document(document)
        , m_sink(sink)
    {
        m_result.m_textArea = QSizeF(document.page.textWidth(), document.page.textHeight());
    }

    DocumentLayout build()
    {
        for (int block = 0; block < int(m_document.body.size()); ++block) {
            if (const auto* table = std::get_if<Table>(&m_document.body[block]))
                placeTable(*table, block);
            else
                placeParagraph(std::get<Paragraph>(m_document.body[block]), block);
        }
        if (m_sink)
            (*m_sink)(page());
        return std::move(m_result);
    }

private:
    LaidOutPage& page() { return m_result.m_pages.back(); }

    // A line taller than a whole page still goes on an empty page, where it is cut at the foot.
    void makeRoom(qreal height)
    {
        if (m_y + height > m_result.m_textArea.height() && m_pageHasContent)
            startPage();
    }

    void startPage()
    {
        if (m_sink) {
            (*m_sink)(page());
            page().shadings.clear();
            page().borders.clear();
            page().paragraphs.clear();
        } else {
            m_result.m_pages.emplace_back();
        }
        ++m_pageIndex;
        m_y = 0;
        m_pageHasContent = false;
    }

    void remember(const ParagraphAddress& address,
                  const std::shared_ptr<const ParagraphLayout>& layout, const QPointF& origin)
    {
        if (!m_sink)
            m_result.m_places.try_emplace(address, ParagraphPlace{layout, origin, m_pageIndex});
    }

    void placeParagraph(const Paragraph& paragraph, int block)
    {
        const ParagraphAddress address{-1, block, -1, -1, 0};
        auto layout = std::make_shared<const ParagraphLayout>(
            paragraph, m_document.page.defaultTabWidth, m_result.m_textArea.width());
        for (int line = 0; line < layout->lineCount(); ++line) {
            const qreal height = layout->lineHeight(line);
            makeRoom(height);
            const QPointF origin(0, m_y - layout->lineTop(line));
            std::vector<PlacedParagraph>& placed = page().paragraphs;
            if (line > 0 && !placed.empty() && placed.back().address == address)
                ++placed.back().lineCount;
            else
                placed.push_back({address, layout, origin, line, 1});
            remember(address, layout, origin);
            m_y += height;
            m_pageHasContent = true;
        }
    }

    // Rows break across pages between lines; each page the table runs onto begins with its
    // heading rows, unless they alone would not fit on a page.
    void placeTable(const Table& table, int block)
    {
        const int headings = headingRowCount(table);
        std::vector<RowBox> headingBoxes;
        qreal headingHeight = 0;
        bool drawTop = true; // the first row on a page draws the line above it
        for (int row = 0; row < int(table.rows.size()); ++row) {
            RowBox box = layOutRow(table, block, row, m_document.page.defaultTabWidth);
            RowSplitter splitter(box);
            while (!splitter.done()) {
                const std::optional<RowPart> part =
                    splitter.next(m_result.m_textArea.height() - m_y, !m_pageHasContent);
                if (part) {
                    placePart(table, box, *part, std::exchange(drawTop, false));
                    m_pageHasContent = true;
                    if (splitter.done())
                        break;
                }
                startPage();
                drawTop = true;
                if (row >= headings && headingHeight <= m_result.m_textArea.height()) {
                    for (const RowBox& heading : headingBoxes)
                        placePart(table, heading, RowSplitter::whole(heading),
                                  std::exchange(drawTop, false));
                }
            }
            if (row < headings) {
                headingHeight += box.height;
                headingBoxes.push_back(std::move(box));
            }
        }
    }

    void placePart(const Table& table, const RowBox& row, const RowPart& part, bool drawTop)
    {
        for (std::size_t i = 0; i < row.cells.size(); ++i) {
            const CellBox& cell = row.cells[i];
            const QRectF rect(cell.left, m_y, cell.width, part.height);
            if (cell.cell->shading)
                page().shadings.push_back({rect, *cell.cell->shading});
            placeCellLines(cell, part.cells[i]);
        }
        placeRowBorders(table.borders, row, part.height, drawTop);
        m_y += part.height;
    }

    void placeCellLines(const CellBox& cell, const CellPart& part)
    {
        qreal top = m_y + part.top;
        for (int i = part.from.paragraph; i <= part.to.paragraph; ++i) {
            if (i == int(cell.paragraphs.size()))
                break;
            const auto& layout = cell.paragraphs[i];
            const int first = i == part.from.paragraph ? part.from.line : 0;
            const int end = i == part.to.paragraph ? part.to.line : layout->lineCount();
            if (first == end)
                continue;
            const QPointF origin(cell.contentLeft, top - layout->lineTop(first));
            page().paragraphs.push_back({cell.addresses[i], layout, origin, first, end - first});
            remember(cell.addresses[i], layout, origin);
            top += layout->lineTop(end - 1) + layout->lineHeight(end - 1) - layout->lineTop(first);
        }
    }

    // Lines are centred on the cell edges; each row draws its bottom line and the first row on
    // a page its top line too, so no line is drawn twice.
    void placeRowBorders(const Borders& borders, const RowBox& row, qreal height, bool drawTop)
    {
        if (row.cells.empty())
            return;
        const qreal half = borders.width / 2.0;
        const qreal left = row.cells.front().left;
        const qreal right = row.cells.back().left + row.cells.back().width;
        auto horizontal = [&](qreal y) {
            page().borders.push_back(
                {QRectF(left - half, y - half, right - left + borders.width, borders.width),
                 borders.color});
        };
        if (drawTop)
            horizontal(m_y);
        horizontal(m_y + height);
        for (const CellBox& cell : row.cells) {
            page().borders.push_back(
                {QRectF(cell.left - half, m_y, borders.width, height), borders.color});
        }
        page().borders.push_back({QRectF(right - half, m_y, borders.width, height), borders.color});
    }

    const Document& m_document;
    const PageSink* m_sink;
    DocumentLayout m_result;
    int m_pageIndex = 0;
    qreal m_y = 0;
    bool m_pageHasContent = false;
};

DocumentLayout layOutDocument(const Document& document)
{
    return LayoutBuilder(document).build();
}

void layOutPages(const Document& document, const PageSink& sink)
{
    LayoutBuilder(document, &sink).build();
}

} // namespace quillory::doc
