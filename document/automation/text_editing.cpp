// SPDX-License-Identifier: MIT

#include "document/automation/text_editing.h"

namespace quillory::doc {

namespace {

// The characters [from, to) of a run list, with their formats.
std::vector<Run> slice(const std::vector<Run>& runs, int from, int to)
{
    std::vector<Run> part;
    int start = 0;
    for (const Run& run : runs) {
        const int end = start + int(run.text.size());
        const int left = std::max(from, start);
        const int right = std::min(to, end);
        if (left < right)
            part.push_back({run.text.mid(left - start, right - left), run.format});
        start = end;
    }
    return part;
}

// Neighbouring runs of one format become one, and empty runs go.
void appendMerged(std::vector<Run>& runs, Run run)
{
    if (run.text.isEmpty())
        return;
    if (!runs.empty() && runs.back().format == run.format)
        runs.back().text += run.text;
    else
        runs.push_back(std::move(run));
}

int textLength(const Paragraph& paragraph)
{
    int length = 0;
    for (const Run& run : paragraph.runs)
        length += int(run.text.size());
    return length;
}

} // namespace

CharFormat formatOfCharacter(const Paragraph& paragraph, int index)
{
    int start = 0;
    for (const Run& run : paragraph.runs) {
        start += int(run.text.size());
        if (index < start)
            return run.format;
    }
    return paragraph.runs.empty() ? paragraph.mark : paragraph.runs.back().format;
}

void replaceText(Paragraph& paragraph, int start, int length, const QString& text)
{
    const int end = textLength(paragraph);
    const int formatIndex = length > 0 || start == 0 ? start : start - 1;
    const CharFormat format = formatOfCharacter(paragraph, formatIndex);
    std::vector<Run> runs;
    for (Run& run : slice(paragraph.runs, 0, start))
        appendMerged(runs, std::move(run));
    appendMerged(runs, {text, format});
    for (Run& run : slice(paragraph.runs, start + length, end))
        appendMerged(runs, std::move(run));
    paragraph.runs = std::move(runs);
}

Paragraph splitParagraph(Paragraph& paragraph, int offset)
{
    Paragraph rest{slice(paragraph.runs, offset, textLength(paragraph)), paragraph.format,
                   paragraph.mark};
    paragraph.runs = slice(paragraph.runs, 0, offset);
    return rest;
}

void clearCell(Cell& cell)
{
    const Paragraph first = cell.paragraphs.empty() ? Paragraph{} : cell.paragraphs.front();
    cell.paragraphs = {Paragraph{{}, first.format, first.mark}};
}

Row emptyCopy(const Row& row)
{
    Row copy = row;
    for (Cell& cell : copy.cells)
        clearCell(cell);
    return copy;
}

} // namespace quillory::doc
