// SPDX-License-Identifier: MIT

#include "document/rtf/rtf_story.h"

namespace quillory::doc::rtf {

void Budget::spend(qsizetype items)
{
    m_left -= items;
    if (m_left < 0)
        throw SyntaxError{RtfStatus::TooLarge, "The document holds too many items.", m_offset};
}

bool RowDefinition::defineCell(int right)
{
    const int previous = cells.empty() ? left : m_lastRight;
    const qint64 width = qint64(right) - previous;
    if (width < 0 || width > MaxLength)
        return false;
    pending.width = int(width);
    cells.push_back(pending);
    pending = Cell{};
    m_lastRight = right;
    return true;
}

void StoryBuilder::addText(const QString& text, const CharFormat& format)
{
    if (text.isEmpty())
        return;
    if (!m_runs.empty() && m_runs.back().format == format) {
        m_runs.back().text += text;
        return;
    }
    m_budget.spend(1);
    m_runs.push_back(Run{text, format});
}

Paragraph StoryBuilder::takeParagraph(const ParaFormat& format, const CharFormat& mark)
{
    m_budget.spend(1 + qsizetype(format.tabStops.size()));
    Paragraph paragraph{std::move(m_runs), format, mark};
    m_runs.clear();
    return paragraph;
}

void StoryBuilder::endParagraph(const ParaFormat& format, const CharFormat& mark, bool inTable)
{
    Paragraph paragraph = takeParagraph(format, mark);
    if (inTable) {
        m_cellParagraphs.push_back(std::move(paragraph));
        return;
    }
    closeTable();
    m_blocks.emplace_back(std::move(paragraph));
}

void StoryBuilder::endCell(const ParaFormat& format, const CharFormat& mark)
{
    m_cellParagraphs.push_back(takeParagraph(format, mark));
    m_budget.spend(1);
    Cell cell;
    cell.paragraphs = std::move(m_cellParagraphs);
    m_cellParagraphs.clear();
    m_cells.push_back(std::move(cell));
}

void StoryBuilder::endRow()
{
    if (!m_cellParagraphs.empty())
        endCell(m_cellParagraphs.back().format, m_cellParagraphs.back().mark);
    if (m_cells.empty())
        return;
    Row row;
    row.minimumHeight = m_rows.minimumHeight;
    row.repeatAsHeading = m_rows.repeatAsHeading;
    m_budget.spend(qsizetype(m_cells.size()));
    for (std::size_t i = 0; i < m_cells.size(); ++i) {
        Cell cell = i < m_rows.cells.size() ? m_rows.cells[i] : Cell{};
        cell.paragraphs = std::move(m_cells[i].paragraphs);
        row.cells.push_back(std::move(cell));
    }
    m_cells.clear();

    Table look;
    look.paddingLeft = m_rows.paddingLeft.value_or(m_rows.gap);
    look.paddingRight = m_rows.paddingRight.value_or(m_rows.gap);
    look.borders = m_rows.borders;
    const bool sameTable = m_table && m_table->paddingLeft == look.paddingLeft &&
                           m_table->paddingRight == look.paddingRight &&
                           m_table->borders == look.borders;
    if (!sameTable) {
        closeTable();
        m_table = std::move(look);
    }
    m_table->rows.push_back(std::move(row));
}

void StoryBuilder::closeTable()
{
    endRow();
    if (!m_table)
        return;
    m_blocks.emplace_back(std::move(*m_table));
    m_table.reset();
}

std::vector<Block> StoryBuilder::finish(const ParaFormat& format, const CharFormat& mark,
                                        bool inTable)
{
    if (!m_runs.empty())
        endParagraph(format, mark, inTable);
    closeTable();
    return std::move(m_blocks);
}

} // namespace quillory::doc::rtf
