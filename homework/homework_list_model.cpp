// SPDX-License-Identifier: MIT

#include "homework/homework_list_model.h"

namespace quillory {

using namespace Qt::StringLiterals;

namespace {

constexpr int ColumnCount = 1 + DaysPerWeek;
// The list lays out every character it is given on each repaint, so a cell shows only the
// start of a long text (a tooltip a little more); the stored text stays whole.
constexpr qsizetype ShownInCell = 200;
constexpr qsizetype ShownInTooltip = 2000;

QString cutForDisplay(const QString& text, qsizetype limit)
{
    if (text.size() <= limit)
        return text;
    // Never half a character: a surrogate pair stays together or goes together.
    const qsizetype kept = text.at(limit - 1).isHighSurrogate() ? limit - 1 : limit;
    return text.first(kept) + u'\u2026';
}

} // namespace

QStringList homeworkColumnHeaders()
{
    // " Wednesday" has always carried its leading blank on screen.
    return {u"Period"_s,   u"Monday"_s, u"Tuesday"_s,  u" Wednesday"_s,
            u"Thursday"_s, u"Friday"_s, u"Saturday"_s, u"Sunday"_s};
}

HomeworkListModel::HomeworkListModel(QObject* parent)
    : QAbstractTableModel(parent)
{
}

int HomeworkListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_entries.size());
}

int HomeworkListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant HomeworkListModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid) ||
        (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return {};
    const HomeworkEntry& row = m_entries.at(index.row());
    const QString& text = index.column() == 0 ? row.Period : row.Days[index.column() - 1];
    return cutForDisplay(text, role == Qt::DisplayRole ? ShownInCell : ShownInTooltip);
}

QVariant HomeworkListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= ColumnCount)
        return {};
    return homeworkColumnHeaders().at(section);
}

void HomeworkListModel::append(const HomeworkEntry& entry)
{
    const int row = int(m_entries.size());
    beginInsertRows({}, row, row);
    m_entries.append(entry);
    endInsertRows();
}

void HomeworkListModel::replace(int row, const HomeworkEntry& entry)
{
    m_entries[row] = entry;
    Q_EMIT dataChanged(index(row, 0), index(row, ColumnCount - 1));
}

void HomeworkListModel::remove(int row)
{
    take(row);
}

HomeworkEntry HomeworkListModel::take(int row)
{
    beginRemoveRows({}, row, row);
    HomeworkEntry taken = m_entries.takeAt(row);
    endRemoveRows();
    return taken;
}

void HomeworkListModel::insert(int row, HomeworkEntry entry)
{
    beginInsertRows({}, row, row);
    m_entries.insert(row, std::move(entry));
    endInsertRows();
}

void HomeworkListModel::move(int from, int to)
{
    // The view's destination is the row the moved one goes before, counted before the move.
    if (from == to || !beginMoveRows({}, from, from, {}, to > from ? to + 1 : to))
        return;
    m_entries.move(from, to);
    endMoveRows();
}

void HomeworkListModel::setEntries(QList<HomeworkEntry> entries)
{
    exchangeEntries(std::move(entries));
}

QList<HomeworkEntry> HomeworkListModel::exchangeEntries(QList<HomeworkEntry> entries)
{
    // One reset rather than a signal per row: a list of thousands of rows changes at once.
    beginResetModel();
    m_entries.swap(entries);
    endResetModel();
    return entries;
}

void HomeworkListModel::clear()
{
    setEntries({});
}

} // namespace quillory
