#include "homework/homework_list_model.h"

namespace quillory {

using namespace Qt::StringLiterals;

namespace {
constexpr int ColumnCount = 1 + DaysPerWeek;
}

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
    return index.column() == 0 ? row.Period : row.Days[index.column() - 1];
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
    beginRemoveRows({}, row, row);
    m_entries.removeAt(row);
    endRemoveRows();
}

void HomeworkListModel::setEntries(QList<HomeworkEntry> entries)
{
    beginResetModel();
    m_entries = std::move(entries);
    endResetModel();
}

void HomeworkListModel::clear()
{
    setEntries({});
}

} // namespace quillory
