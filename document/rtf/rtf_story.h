// SPDX-License-Identifier: MIT

#pragma once

#include "document/rtf/model.h"
#include "document/rtf/rtf_tokenizer.h"

// Builds the blocks of one story (the main text or a text box) from the reader's events:
// text, paragraph ends, cell ends and row ends.
namespace quillory::doc::rtf {

/// The reader's allowance of model items (runs, paragraphs, cells, tab stops, fonts …), so that
/// no input makes it hold more than a bounded amount of memory.
class Budget {
public:
    /// An allowance of `items`; `offset` is where the reader is, to tell where it was overdrawn.
    Budget(qsizetype items, const qsizetype& offset)
        : m_left(items)
        , m_offset(offset)
    {
    }
    /// Takes `items` from the allowance; throws SyntaxError when it is spent.
    void spend(qsizetype items);

private:
    qsizetype m_left;
    const qsizetype& m_offset;
};

/// A row's properties, defined before its cells (\trowd … \cellx) and kept for later rows.
struct RowDefinition {
    int left = 0;                    ///< \trleft: where the first cell begins
    int gap = 0;                     ///< \trgaph: the padding when none is given
    std::optional<int> paddingLeft;  ///< \trpaddl
    std::optional<int> paddingRight; ///< \trpaddr
    int minimumHeight = 0;           ///< \trrh, as a minimum whatever its sign
    bool repeatAsHeading = false;    ///< \trhdr
    Borders borders;                 ///< the last border width and colour given
    std::vector<Cell> cells;         ///< defined cells: width and look, paragraphs unused
    Cell pending;                    ///< the look of the cell whose \cellx has not come yet

    /// Ends the pending cell at `right`; false when its width would be out of range.
    bool defineCell(int right);

private:
    int m_lastRight = 0;
};

/// Collects one story's paragraphs and tables.
class StoryBuilder {
public:
    /// Spends from `budget`; rows take their properties from `rows` when they end.
    StoryBuilder(Budget& budget, const RowDefinition& rows)
        : m_budget(budget)
        , m_rows(rows)
    {
    }

    /// Appends text to the open paragraph, joining it to the last run when the format is equal.
    void addText(const QString& text, const CharFormat& format);
    /// Ends the open paragraph (\par): into the open cell when `inTable`, else into the story.
    void endParagraph(const ParaFormat& format, const CharFormat& mark, bool inTable);
    /// Ends the open paragraph and with it the open cell (\cell).
    void endCell(const ParaFormat& format, const CharFormat& mark);
    /// Ends the open row (\row) with the current row definition.
    void endRow();
    /// Ends whatever is open and hands over the story's blocks.
    std::vector<Block> finish(const ParaFormat& format, const CharFormat& mark, bool inTable);

private:
    Paragraph takeParagraph(const ParaFormat& format, const CharFormat& mark);
    void closeTable();

    Budget& m_budget;
    const RowDefinition& m_rows;
    std::vector<Block> m_blocks;
    std::vector<Run> m_runs;
    std::vector<Paragraph> m_cellParagraphs;
    std::vector<Cell> m_cells;
    std::optional<Table> m_table;
};

} // namespace quillory::doc::rtf
