// SPDX-License-Identifier: MIT

#pragma once

#include "document/layout/text_position.h"
#include "document/rtf/model.h"

#include <QString>

#include <vector>

namespace quillory::doc {

/// What to look for: plain text, matched character by character.
struct SearchPattern {
    QString text;
    bool matchCase = false;
    bool matchWholeWord = false;
};

/// One place where the pattern was found.
struct TextMatch {
    ParagraphAddress paragraph;
    int start = 0;
    int length = 0;
};

/// Every match in a story (the main text for shape -1, else that shape's text), in reading
/// order. Matches do not overlap and never span two paragraphs; an empty pattern finds nothing.
std::vector<TextMatch> findMatches(const Document& document, int shape,
                                   const SearchPattern& pattern);

} // namespace quillory::doc
