// SPDX-License-Identifier: MIT

#include "homework/stored_form.h"

#include <QStringView>

namespace quillory {

namespace {

constexpr QStringView FieldSeparatorView{FieldSeparator};
constexpr QStringView RowSeparatorView{RowSeparator};
constexpr int FieldsPerRow = 1 + DaysPerWeek;

bool isBlank(QStringView piece)
{
    for (QChar c : piece) {
        if (c != u' ')
            return false;
    }
    return true;
}

// Fills the entry from the piece's fields; false when the piece had fewer than eight.
bool readRow(QStringView piece, HomeworkEntry& entry)
{
    int field = 0;
    for (QStringView text : piece.tokenize(FieldSeparatorView)) {
        if (field == 0)
            entry.Period = text.toString();
        else
            entry.Days[field - 1] = text.toString();
        if (++field == FieldsPerRow)
            return true;
    }
    return false;
}

} // namespace

QString toStoredForm(const QList<HomeworkEntry>& entries)
{
    qsizetype length = 0;
    for (const HomeworkEntry& entry : entries) {
        length +=
            entry.Period.size() + RowSeparatorView.size() + DaysPerWeek * FieldSeparatorView.size();
        for (const QString& day : entry.Days)
            length += day.size();
    }
    QString stored;
    stored.reserve(length);
    for (const HomeworkEntry& entry : entries) {
        stored += entry.Period;
        for (const QString& day : entry.Days) {
            stored += FieldSeparatorView;
            stored += day;
        }
        stored += RowSeparatorView;
    }
    return stored;
}

ParsedHomework parseStoredForm(const QString& stored)
{
    ParsedHomework parsed;
    for (QStringView piece : QStringView(stored).tokenize(RowSeparatorView)) {
        if (isBlank(piece))
            continue;
        HomeworkEntry entry;
        if (!readRow(piece, entry))
            ++parsed.incompleteRows;
        parsed.entries.append(std::move(entry));
    }
    return parsed;
}

bool readsBackAsItself(const HomeworkEntry& entry)
{
    const ParsedHomework parsed = parseStoredForm(toStoredForm({entry}));
    return parsed.incompleteRows == 0 && parsed.entries == QList{entry};
}

} // namespace quillory
