// SPDX-License-Identifier: MIT

#pragma once

#include "homework/homework_entry.h"

#include <QList>
#include <QString>

namespace quillory {

/// Stands between two fields of one stored row.
inline constexpr char16_t FieldSeparator[] = u"||MySeparator123||";
/// Follows every stored row, the last one included.
inline constexpr char16_t RowSeparator[] = u"||MySeparator234||";

/// The class list as one text: per row the period and the seven days joined by FieldSeparator,
/// then RowSeparator. An empty list is the empty text.
QString toStoredForm(const QList<HomeworkEntry>& entries);

/// What a stored text reads back as.
struct ParsedHomework {
    QList<HomeworkEntry> entries;
    /// Rows that had fewer than eight fields; they are kept with their missing days empty.
    int incompleteRows = 0;
};

/// Reads a stored text: pieces made only of blanks are skipped, fields are taken untrimmed,
/// fields past the eighth are ignored.
ParsedHomework parseStoredForm(const QString& stored);

/// Whether a row reads back from its stored form as itself. A text that holds a separator, or
/// that ends in part of one so that it and the separator after it hold another, would split it.
/// Where the rows before it do, it does so also in the middle of a list.
bool readsBackAsItself(const HomeworkEntry& entry);

} // namespace quillory
