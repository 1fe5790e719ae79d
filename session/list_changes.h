// SPDX-License-Identifier: MIT

#pragma once

#include "homework/homework_entry.h"

#include <QList>

#include <optional>

namespace quillory {

class HomeworkListModel;

/// One change to the class list that can be taken back and made again. Each part holds what
/// the list does not show; toggle() exchanges the two, so the same call undoes and redoes.
class ListChange {
public:
    virtual ~ListChange() = default;

    /// Exchanges what the list shows with what the part holds; gives the row (0-based) that
    /// shows the difference afterwards, if one does.
    virtual std::optional<int> toggle() = 0;
};

/// The whole list replaced by other rows (clearing, the example week, a new week).
class RowsReplaced final : public ListChange {
public:
    /// The rows to show in the list's place once toggled.
    RowsReplaced(HomeworkListModel& list, QList<HomeworkEntry> other);
    std::optional<int> toggle() override;

private:
    HomeworkListModel& m_list;
    QList<HomeworkEntry> m_other;
};

/// One row taken out of the list or put back at its place (adding, deleting).
class RowInOrOut final : public ListChange {
public:
    /// The row at the 0-based position; it is in the list now.
    RowInOrOut(HomeworkListModel& list, int row);
    std::optional<int> toggle() override;

private:
    HomeworkListModel& m_list;
    int m_row;
    std::optional<HomeworkEntry> m_taken;
};

/// The texts of one row replaced in place (editing).
class RowTextsReplaced final : public ListChange {
public:
    /// The texts the row at the 0-based position shows once toggled.
    RowTextsReplaced(HomeworkListModel& list, int row, HomeworkEntry other);
    std::optional<int> toggle() override;

private:
    HomeworkListModel& m_list;
    int m_row;
    HomeworkEntry m_other;
};

/// One row moved to another place.
class RowMoved final : public ListChange {
public:
    /// The row at the 0-based position `from`, which goes to `to` once toggled.
    RowMoved(HomeworkListModel& list, int from, int to);
    std::optional<int> toggle() override;

private:
    HomeworkListModel& m_list;
    int m_from;
    int m_to;
};

} // namespace quillory
