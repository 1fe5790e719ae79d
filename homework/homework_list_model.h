// SPDX-License-Identifier: MIT

#pragma once

#include "homework/homework_entry.h"

#include <QAbstractTableModel>
#include <QList>
#include <QStringList>

namespace quillory {

/// The texts of the list's eight column headers, "Period" first.
QStringList homeworkColumnHeaders();

/// The class list: the one in-memory copy of the rows, shown by the main window's list.
/// Row text = period, columns 1 to 7 = Monday to Sunday. Cells and tooltips show long texts cut
/// short, ending in an ellipsis; entries() holds them whole.
class HomeworkListModel final : public QAbstractTableModel {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(HomeworkListModel)

public:
    explicit HomeworkListModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    /// All rows in list order.
    const QList<HomeworkEntry>& entries() const { return m_entries; }
    /// The row at a 0-based position.
    const HomeworkEntry& entry(int row) const { return m_entries.at(row); }
    /// Appends a row at the end.
    void append(const HomeworkEntry& entry);
    /// Replaces the texts of the row at a 0-based position; the row keeps its place.
    void replace(int row, const HomeworkEntry& entry);
    /// Removes the row at a 0-based position; later rows move up.
    void remove(int row);
    /// Removes the row at a 0-based position and hands it over; later rows move up.
    HomeworkEntry take(int row);
    /// Puts a row in at a 0-based position (up to the row count); later rows move down.
    void insert(int row, HomeworkEntry entry);
    /// Moves the row at a 0-based position to another; the rows between close up.
    void move(int from, int to);
    /// Replaces all rows at once.
    void setEntries(QList<HomeworkEntry> entries);
    /// Replaces all rows at once and hands over the ones it held, without copying either.
    QList<HomeworkEntry> exchangeEntries(QList<HomeworkEntry> entries);
    /// Removes every row.
    void clear();

private:
    QList<HomeworkEntry> m_entries;
};

} // namespace quillory
