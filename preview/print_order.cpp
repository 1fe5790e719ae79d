// SPDX-License-Identifier: MIT

#include "preview/print_order.h"

#include <algorithm>

namespace quillory {

std::vector<int> printSequence(const PrintChoice& choice)
{
    const bool everyPage = choice.fromPage == 0 && choice.toPage == 0;
    const int first = everyPage ? 1 : std::max(1, choice.fromPage);
    const int last = everyPage ? choice.pageCount : std::min(choice.pageCount, choice.toPage);
    std::vector<int> range;
    for (int page = first; page <= last; ++page)
        range.push_back(page - 1);
    if (choice.lastFirst)
        std::reverse(range.begin(), range.end());
    const int copies = std::max(1, choice.copies);
    std::vector<int> sequence;
    if (choice.collate) {
        for (int copy = 0; copy < copies; ++copy)
            sequence.insert(sequence.end(), range.begin(), range.end());
    } else {
        for (const int page : range)
            sequence.insert(sequence.end(), std::size_t(copies), page);
    }
    return sequence;
}

} // namespace quillory
