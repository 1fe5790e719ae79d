// SPDX-License-Identifier: MIT

#pragma once

#include "session/history_step.h"
#include "session/list_changes.h"

#include <QDateTime>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QUndoStack;

namespace quillory {

class GeneralData;
class GuardedProcedure;

/// Shows a row of the class list (0-based) to the user, for instance by selecting it.
using RowShower = std::function<void(int row)>;

/// Where the class list stands in view: its selected row (-1: none) and how far it is scrolled.
struct ListPlace {
    int row = -1;
    int vertical = 0;
    int horizontal = 0;
};

/// Notes the list's place in view, and brings a noted place back.
struct ListPlaces {
    std::function<ListPlace()> note;
    std::function<void(const ListPlace&)> restore;
};

/// What one command changed in the name, the date and the class list, as one step of the undo
/// history. The command's own steps make the change (their failures reported as theirs); the
/// history's first redo() therefore does nothing, and later ones make it again. Undo and redo
/// store the name and the date as any change of them is stored.
class DataChange final : public HistoryStep {
public:
    /// Notes the name, the date and the list's place as they stand before the command of this
    /// kind. Undo and redo show the row they changed last through `showRow`, when
    /// one shows it; otherwise (the whole list replaced, a row taken out) they bring back the
    /// place the list had before or after the command.
    DataChange(CommandKind kind, GeneralData& fields, RowShower showRow, ListPlaces places = {});

    /// Keeps a change of the list and makes it now.
    void apply(std::unique_ptr<ListChange> change);
    /// Keeps a change of the list already made by someone else.
    void record(std::unique_ptr<ListChange> change);

    void undo() override;
    void redo() override;

    /// Notes the name and the date the command left and puts the change on the history, unless
    /// nothing changed.
    static void push(QUndoStack& history, std::unique_ptr<DataChange> change);

private:
    struct Fields {
        QString name;
        QDateTime date;
    };

    void showFields(GuardedProcedure& procedure, const Fields& from, const Fields& to);
    void toggleListChange(GuardedProcedure& procedure, int step, int index,
                          std::optional<int>& changedRow);
    void showChange(std::optional<int> changedRow, const std::optional<ListPlace>& place);
    Fields current() const;

    GeneralData& m_fields;
    RowShower m_showRow;
    ListPlaces m_places;
    Fields m_before;
    Fields m_after;
    std::optional<ListPlace> m_placeBefore;
    std::optional<ListPlace> m_placeAfter;
    std::vector<std::unique_ptr<ListChange>> m_listChanges;
    bool m_madeByCommand = true;
};

} // namespace quillory
