// SPDX-License-Identifier: MIT

#include "document/layout/layout_table.h"

#include <algorithm>

namespace quillory::doc {

namespace {

CellBox layOutCell(const Table& table, const Cell& cell, qreal left, ParagraphAddress address,
                   int defaultTabWidth)
{
    CellBox box{&cell, left, qreal(cell.width), left + table.paddingLeft, {}, {}};
    const qreal contentWidth = std::max(1, cell.width - table.paddingLeft - table.paddingRight);
    for (const Paragraph& paragraph : cell.paragraphs) {
        box.addresses.push_back(address);
        box.paragraphs.push_back(
            std::make_shared<const ParagraphLayout>(paragraph, defaultTabWidth, contentWidth));
        ++address.paragraph;
    }
    return box;
}

qreal contentHeight(const CellBox& box)
{
    qreal height = 0;
    for (const auto& paragraph : box.paragraphs)
        height += paragraph->height();
    return height;
}

} // namespace

std::vector<qreal> cellEdges(const Row& row)
{
    std::vector<qreal> edges{0};
    for (const Cell& cell : row.cells)
        edges.push_back(edges.back() + cell.width);
    return edges;
}

RowBox layOutRow(const Table& table, int block, int row, int defaultTabWidth)
{
    const Row& source = table.rows[row];
    const std::vector<qreal> edges = cellEdges(source);
    RowBox box{qreal(source.minimumHeight), qreal(source.minimumHeight), {}};
    for (int i = 0; i < int(source.cells.size()); ++i) {
        box.cells.push_back(layOutCell(table, source.cells[i], edges[i], cellStart(block, row, i),
                                       defaultTabWidth));
        box.height = std::max(box.height, contentHeight(box.cells.back()));
    }
    return box;
}

int headingRowCount(const Table& table)
{
    const auto firstBody = std::find_if(table.rows.begin(), table.rows.end(),
                                        [](const Row& row) { return !row.repeatAsHeading; });
    return int(firstBody - table.rows.begin());
}

} // namespace quillory::doc
