// SPDX-License-Identifier: MIT

#pragma once

#include "document/layout/layout_paragraph.h"
#include "document/layout/text_position.h"
#include "document/rtf/model.h"

#include <memory>
#include <vector>

namespace quillory::doc {

/// One cell of a laid-out row, before it is placed on a page.
struct CellBox {
    const Cell* cell = nullptr;              ///< the cell in the document
    qreal left = 0;                          ///< its left edge
    qreal width = 0;                         ///< its width
    qreal contentLeft = 0;                   ///< where its text starts, after the left padding
    std::vector<ParagraphAddress> addresses; ///< its paragraphs
    std::vector<std::shared_ptr<const ParagraphLayout>> paragraphs; ///< their lines, in order
};

/// One laid-out table row: its height and its cells.
struct RowBox {
    qreal height = 0;           ///< its height in one piece: its tallest cell, at least its minimum
    qreal minimumHeight = 0;    ///< the row's minimum height
    std::vector<CellBox> cells; ///< left to right
};

/// Lays out one row: cells side by side from x 0, content between the table's paddings,
/// at least the row's minimum height. A cell marked not to wrap still wraps a line too long for
/// it: cutting the line off would hide what the user typed (LibreOffice shows it the same way),
/// and a line that fits stays one line either way.
RowBox layOutRow(const Table& table, int block, int row, int defaultTabWidth);

/// The x of each cell's left edge in a row, and the row's right edge last.
std::vector<qreal> cellEdges(const Row& row);

/// How many rows at the top of the table repeat on every page it runs onto.
int headingRowCount(const Table& table);

} // namespace quillory::doc
