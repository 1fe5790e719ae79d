// SPDX-License-Identifier: MIT

#pragma once

#include <vector>

namespace quillory {

/// What the print dialog was left with, as far as the order of pages goes.
struct PrintChoice {
    int pageCount = 0;      ///< pages in the document
    int fromPage = 0;       ///< first page of the chosen range, from 1; 0: every page
    int toPage = 0;         ///< last page of the chosen range; 0: every page
    int copies = 1;         ///< copies the program itself has to make (none below 1)
    bool collate = true;    ///< whole copies one after the other, not each page repeated
    bool lastFirst = false; ///< the last page first
};

/// The pages to print, as indices from 0 in the order they go to the printer. A range beyond the
/// document is cut to it; a range wholly outside it prints nothing.
std::vector<int> printSequence(const PrintChoice& choice);

} // namespace quillory
