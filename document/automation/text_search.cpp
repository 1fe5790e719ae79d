// SPDX-License-Identifier: MIT

#include "document/automation/text_search.h"

namespace quillory::doc {

namespace {

bool isWordCharacter(const QString& text, qsizetype index)
{
    return index >= 0 && index < text.size() && text[index].isLetterOrNumber();
}

bool standsAlone(const QString& text, qsizetype start, qsizetype length)
{
    return !isWordCharacter(text, start - 1) && !isWordCharacter(text, start + length);
}

void findInParagraph(const QString& text, const ParagraphAddress& address,
                     const SearchPattern& pattern, std::vector<TextMatch>& matches)
{
    const Qt::CaseSensitivity sensitivity =
        pattern.matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    const qsizetype length = pattern.text.size();
    qsizetype from = 0;
    for (qsizetype at; (at = text.indexOf(pattern.text, from, sensitivity)) >= 0;) {
        if (pattern.matchWholeWord && !standsAlone(text, at, length)) {
            from = at + 1;
            continue;
        }
        matches.push_back({address, int(at), int(length)});
        from = at + length;
    }
}

} // namespace

std::vector<TextMatch> findMatches(const Document& document, int shape,
                                   const SearchPattern& pattern)
{
    std::vector<TextMatch> matches;
    if (pattern.text.isEmpty())
        return matches;
    for (const ParagraphAddress& address : storyParagraphs(document, shape))
        findInParagraph(paragraphAt(document, address).text(), address, pattern, matches);
    return matches;
}

} // namespace quillory::doc
