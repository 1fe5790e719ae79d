// SPDX-License-Identifier: MIT

#include "session/list_changes.h"

#include "homework/homework_list_model.h"

#include <utility>

namespace quillory {

RowsReplaced::RowsReplaced(HomeworkListModel& list, QList<HomeworkEntry> other)
    : m_list(list)
    , m_other(std::move(other))
{
}

std::optional<int> RowsReplaced::toggle()
{
    m_other = m_list.exchangeEntries(std::move(m_other));
    return std::nullopt;
}

RowInOrOut::RowInOrOut(HomeworkListModel& list, int row)
    : m_list(list)
    , m_row(row)
{
}

std::optional<int> RowInOrOut::toggle()
{
    if (!m_taken) {
        m_taken = m_list.take(m_row);
        return std::nullopt;
    }
    m_list.insert(m_row, std::move(*m_taken));
    m_taken.reset();
    return m_row;
}

RowTextsReplaced::RowTextsReplaced(HomeworkListModel& list, int row, HomeworkEntry other)
    : m_list(list)
    , m_row(row)
    , m_other(std::move(other))
{
}

std::optional<int> RowTextsReplaced::toggle()
{
    HomeworkEntry shown = m_list.entry(m_row);
    m_list.replace(m_row, m_other);
    m_other = std::move(shown);
    return m_row;
}

RowMoved::RowMoved(HomeworkListModel& list, int from, int to)
    : m_list(list)
    , m_from(from)
    , m_to(to)
{
}

std::optional<int> RowMoved::toggle()
{
    m_list.move(m_from, m_to);
    std::swap(m_from, m_to);
    return m_from;
}

} // namespace quillory
