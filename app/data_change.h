// SPDX-License-Identifier: MIT

#pragma once

#include "app/list_changes.h"

#include <QDateTime>
#include <QString>
#include <QUndoCommand>

#include <functional>
#include <memory>
#include <vector>

class QUndoStack;

namespace quillory {

class GeneralData;
class GuardedProcedure;

/// Shows a row of the class list (0-based) to the user, for instance by selecting it.
using RowShower = std::function<void(int row)>;

/// What one command changed in the name, the date and the class list, as one step of the undo
/// history. The command's own steps make the change (their failures reported as theirs); the
/// history's first redo() therefore does nothing, and later ones make it again. Undo and redo
/// store the name and the date as any change of them is stored, and put the name or the date
/// back only while it still shows what the command left, so nothing typed since is lost.
class DataChange final : public QUndoCommand {
public:
    /// Notes the name and the date as they stand before the command; `text` names the command.
    /// Undo and redo show the row they changed last through `showRow`, when one shows it.
    DataChange(const QString& text, GeneralData& fields, RowShower showRow);

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
    Fields current() const;

    GeneralData& m_fields;
    RowShower m_showRow;
    Fields m_before;
    Fields m_after;
    std::vector<std::unique_ptr<ListChange>> m_listChanges;
    bool m_madeByCommand = true;
};

} // namespace quillory
