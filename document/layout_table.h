#pragma once

#include "document/layout_paragraph.h"
#include "document/model.h"
#include "document/text_position.h"

#include <memory>
#include <vector>

namespace quillory::doc {

/// One cell of a laid-out row, before it is placed on a page.
struct CellBox {
    const Cell* cell = nullptr;
    qreal left = 0;
    qreal width = 0;
    qreal contentLeft = 0;
    qreal contentTop = 0; ///< from the row's top, after vertical alignment
    std::vector<ParagraphAddress> addresses;
    std::vector<std::shared_ptr<const ParagraphLayout>> paragraphs;
};

/// One laid-out table row: its height and its cells.
struct RowBox {
    qreal height = 0;
    std::vector<CellBox> cells;
};

/// Lays out one row: cells side by side from x 0, content between the table's paddings,
/// at least the row's minimum height.
RowBox layOutRow(const Table& table, int block, int row, int defaultTabWidth);

/// How many rows at the top of the table repeat on every page it runs onto.
int headingRowCount(const Table& table);

} // namespace quillory::doc
