// SPDX-License-Identifier: MIT

#pragma once

#include "document/layout/layout_table.h"

#include <optional>
#include <vector>

namespace quillory::doc {

/// A place between two lines of a cell: the next line to place.
struct CellCursor {
    int paragraph = 0; ///< the cell's paragraph; the paragraph count once every line is placed
    int line = 0;      ///< the line within it

    auto operator<=>(const CellCursor&) const = default;
};

/// The lines of one cell that one part of a row shows.
struct CellPart {
    CellCursor from; ///< its first line
    CellCursor to;   ///< the line after its last
    qreal top = 0;   ///< where its first line starts, below the part's top
};

/// The part of a row that lies on one page: its height and, per cell, the lines it shows.
struct RowPart {
    qreal height = 0;            ///< from its top line to its bottom line
    std::vector<CellPart> cells; ///< left to right, as the row's cells
};

/// Cuts a laid-out row into parts between the lines of its cells, one part per page, as word
/// processors break rows that may split. Each cell breaks at its own lines; no line is ever cut
/// or skipped. The minimum height is met as far as the space allows but never pushes a row on
/// by itself: once the last line is placed, the row ends.
class RowSplitter {
public:
    /// Starts before the row's first line; the row must outlive the splitter.
    explicit RowSplitter(const RowBox& row);

    /// Whether every line has been placed.
    bool done() const { return m_started && m_remaining == 0; }

    /// The next part, at most `space` high: in each cell the lines that fit. Nothing when no
    /// line fits, unless `mustProgress` (a page that holds nothing else yet), which takes each
    /// unfinished cell's next line even if it is taller than the space.
    std::optional<RowPart> next(qreal space, bool mustProgress);

    /// The whole row as one part, as high as the row.
    static RowPart whole(const RowBox& row);

private:
    qreal takeLines(int cell, qreal space, CellPart& part);
    qreal lineHeight(int cell, const CellCursor& at) const;
    void advance(int cell, CellCursor& at);
    void alignCells(RowPart& part, const std::vector<qreal>& heights) const;

    const RowBox& m_row;
    std::vector<CellCursor> m_cursors;
    int m_remaining = 0; ///< cells with lines left
    qreal m_placedHeight = 0;
    bool m_started = false;
};

} // namespace quillory::doc
