// SPDX-License-Identifier: MIT

#include "document/layout/text_position.h"

namespace quillory::doc {

namespace {

template <typename DocumentType>
auto& paragraphIn(DocumentType& document, const ParagraphAddress& address)
{
    // Checked access: a stale address fails as an exception, never as a stray write.
    if (address.shape >= 0)
        return document.shapes.at(address.shape).paragraphs.at(address.paragraph);
    auto& block = document.body.at(address.block);
    if (!address.inTable())
        return std::get<Paragraph>(block);
    auto& cell = std::get<Table>(block).rows.at(address.row).cells.at(address.cell);
    return cell.paragraphs.at(address.paragraph);
}

void appendTableParagraphs(const Table& table, int block, std::vector<ParagraphAddress>& out)
{
    for (int row = 0; row < int(table.rows.size()); ++row) {
        const std::vector<Cell>& cells = table.rows[row].cells;
        for (int cell = 0; cell < int(cells.size()); ++cell) {
            for (int paragraph = 0; paragraph < int(cells[cell].paragraphs.size()); ++paragraph)
                out.push_back({-1, block, row, cell, paragraph});
        }
    }
}

} // namespace

Paragraph& paragraphAt(Document& document, const ParagraphAddress& address)
{
    return paragraphIn(document, address);
}

const Paragraph& paragraphAt(const Document& document, const ParagraphAddress& address)
{
    return paragraphIn(document, address);
}

std::vector<ParagraphAddress> storyParagraphs(const Document& document, int shape)
{
    std::vector<ParagraphAddress> addresses;
    if (shape >= 0) {
        for (int i = 0; i < int(document.shapes[shape].paragraphs.size()); ++i)
            addresses.push_back({shape, 0, -1, -1, i});
        return addresses;
    }
    for (int block = 0; block < int(document.body.size()); ++block) {
        if (const auto* table = std::get_if<Table>(&document.body[block]))
            appendTableParagraphs(*table, block, addresses);
        else
            addresses.push_back({-1, block, -1, -1, 0});
    }
    return addresses;
}

ParagraphAddress cellStart(int block, int row, int cell)
{
    return {-1, block, row, cell, 0};
}

} // namespace quillory::doc
