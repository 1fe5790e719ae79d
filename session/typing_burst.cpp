// SPDX-License-Identifier: MIT

#include "session/typing_burst.h"

#include <algorithm>

namespace quillory {

namespace {

// A longer pause ends a burst of typing.
constexpr qint64 BurstPauseMilliseconds = 2000;

bool isOneTyped(const TextEdit& edit)
{
    return edit.removed.isEmpty() && edit.inserted.size() == 1;
}

// A key typed, over a selection or not.
bool isOneKey(const TextEdit& edit)
{
    return edit.inserted.size() == 1;
}

bool isOneTaken(const TextEdit& edit)
{
    return edit.inserted.isEmpty() && edit.removed.size() == 1;
}

} // namespace

TextEdit textEdit(const QString& before, const QString& after, qint64 at)
{
    const qsizetype shorter = std::min(before.size(), after.size());
    qsizetype head = 0;
    while (head < shorter && before.at(head) == after.at(head))
        ++head;
    qsizetype tail = 0;
    while (tail < shorter - head &&
           before.at(before.size() - 1 - tail) == after.at(after.size() - 1 - tail))
        ++tail;
    return {head, before.mid(head, before.size() - head - tail),
            after.mid(head, after.size() - head - tail), at};
}

bool continuesTyping(const TextEdit& last, const TextEdit& next)
{
    if (next.at - last.at > BurstPauseMilliseconds || next.at < last.at)
        return false;
    if (isOneKey(last) && isOneTyped(next))
        return next.position == last.position + 1;
    if (isOneTaken(last) && isOneTaken(next)) // Backspace, or Delete
        return next.position == last.position - 1 || next.position == last.position;
    return false;
}

} // namespace quillory
