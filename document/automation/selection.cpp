// SPDX-License-Identifier: MIT

#include "document/automation/selection.h"

#include "base/failure.h"
#include "document/automation/document_state.h"
#include "document/automation/line_navigation.h"
#include "document/automation/text_editing.h"

#include <QStringList>

namespace quillory::doc::automation {

using namespace Qt::StringLiterals;

namespace {

struct CellPlace {
    int block = 0;
    int row = 0;
    int cell = 0;
};

// The cell the selection ends in; selected cells count by their last.
CellPlace currentCell(const SelectionState& selection)
{
    if (const auto& cells = selection.cells)
        return {cells->block, cells->lastRow, cells->lastCell};
    const ParagraphAddress& at = selection.caret.paragraph;
    if (!at.inTable())
        throw Failure(Failure::InvalidState, u"The selection is not in a table."_s);
    return {at.block, at.row, at.cell};
}

void selectCells(SelectionState& selection, const CellSelection& cells)
{
    selection.cells = cells;
    selection.caret = {cellStart(cells.block, cells.firstRow, cells.firstCell), 0};
}

CellPlace nextCell(Table& table, CellPlace at)
{
    if (at.cell + 1 < int(table.rows[at.row].cells.size()))
        return {at.block, at.row, at.cell + 1};
    if (at.row + 1 == int(table.rows.size()))
        table.rows.push_back(emptyCopy(table.rows.back()));
    return {at.block, at.row + 1, 0};
}

// Selected cells are emptied; typing then lands at the start of the first of them.
TextPosition clearSelectedCells(doc::Document& content, const CellSelection& cells)
{
    Table& table = std::get<Table>(content.body[cells.block]);
    for (int row = cells.firstRow; row <= cells.lastRow; ++row) {
        for (int cell = cells.firstCell; cell <= cells.lastCell; ++cell)
            clearCell(table.rows[row].cells[cell]);
    }
    return {cellStart(cells.block, cells.firstRow, cells.firstCell), 0};
}

// The paragraph that follows `at` in its cell or in the body, made from `paragraph`.
ParagraphAddress insertParagraphAfter(doc::Document& content, ParagraphAddress at,
                                      Paragraph paragraph)
{
    if (at.inTable()) {
        Cell& cell = std::get<Table>(content.body[at.block]).rows[at.row].cells[at.cell];
        cell.paragraphs.insert(cell.paragraphs.begin() + at.paragraph + 1, std::move(paragraph));
        ++at.paragraph;
    } else {
        content.body.insert(content.body.begin() + at.block + 1, std::move(paragraph));
        ++at.block;
    }
    return at;
}

QStringList typedParagraphs(QString text)
{
    text.replace(u"\r\n"_s, u"\n"_s);
    text.replace(u'\r', u'\n');
    return text.split(u'\n');
}

} // namespace

Selection::Selection(std::shared_ptr<ApplicationState> application)
    : m_application(std::move(application))
{
}

std::shared_ptr<DocumentState> Selection::document() const
{
    std::shared_ptr<DocumentState> document = m_application->activeDocument();
    document->requireOpen();
    return document;
}

int Selection::MoveDown(int Unit, int Count)
{
    const std::shared_ptr<DocumentState> state = document();
    if (Unit != wdLine)
        throw Failure(Failure::Unsupported,
                      u"Moving down by unit %1 is not supported."_s.arg(Unit));
    if (Count < 0)
        throw Failure(Failure::Unsupported, u"Moving down by a negative count is not supported."_s);
    const DocumentLayout& layout = state->layout();
    const TextPosition from = state->selection.caret;
    const qreal x = caretX(layout, from);
    LinePlace line = lineOf(layout, from);
    int moved = 0;
    for (; moved < Count; ++moved) {
        const std::optional<LinePlace> below = lineBelow(state->content(), layout, line, x);
        if (!below)
            break;
        line = *below;
    }
    if (moved > 0)
        state->selection = {positionOnLine(layout, line, x), std::nullopt};
    return moved;
}

int Selection::MoveRight(int Unit, int Count)
{
    const std::shared_ptr<DocumentState> state = document();
    if (Unit != wdCell)
        throw Failure(Failure::Unsupported,
                      u"Moving right by unit %1 is not supported."_s.arg(Unit));
    if (Count < 0)
        throw Failure(Failure::Unsupported,
                      u"Moving right by a negative count is not supported."_s);
    if (Count == 0)
        return 0;
    CellPlace at = currentCell(state->selection);
    Table& table = std::get<Table>(state->edit().body[at.block]);
    for (int i = 0; i < Count; ++i)
        at = nextCell(table, at);
    selectCells(state->selection, {at.block, at.row, at.row, at.cell, at.cell});
    return Count;
}

void Selection::TypeText(const QString& Text)
{
    const std::shared_ptr<DocumentState> state = document();
    if (Text.isEmpty() && !state->selection.cells)
        return;
    doc::Document& content = state->edit();
    TextPosition at = state->selection.caret;
    if (const auto cells = std::exchange(state->selection.cells, std::nullopt))
        at = clearSelectedCells(content, *cells);
    const QStringList paragraphs = typedParagraphs(Text);
    for (qsizetype i = 0; i < paragraphs.size(); ++i) {
        if (i > 0) {
            Paragraph rest = splitParagraph(paragraphAt(content, at.paragraph), at.offset);
            at = {insertParagraphAfter(content, at.paragraph, std::move(rest)), 0};
        }
        replaceText(paragraphAt(content, at.paragraph), at.offset, 0, paragraphs[i]);
        at.offset += int(paragraphs[i].size());
    }
    state->selection.caret = at;
}

void Selection::InsertRowsBelow(int NumRows)
{
    const std::shared_ptr<DocumentState> state = document();
    if (NumRows < 1)
        throw Failure(Failure::InvalidArgument, u"At least one row must be inserted."_s);
    const CellPlace at = currentCell(state->selection);
    Table& table = std::get<Table>(state->edit().body[at.block]);
    const Row copy = emptyCopy(table.rows[at.row]);
    table.rows.insert(table.rows.begin() + at.row + 1, NumRows, copy);
    const int lastCell = std::max(0, int(copy.cells.size()) - 1);
    selectCells(state->selection, {at.block, at.row + 1, at.row + NumRows, 0, lastCell});
}

int Selection::Information(int Type) const
{
    const ParagraphAddress& at = document()->selection.caret.paragraph;
    switch (Type) {
    case wdWithInTable: return at.inTable() ? 1 : 0;
    case wdStartOfRangeRowNumber: return at.inTable() ? at.row + 1 : -1;
    default:
        throw Failure(Failure::Unsupported,
                      u"Information of type %1 is not supported."_s.arg(Type));
    }
}

} // namespace quillory::doc::automation
