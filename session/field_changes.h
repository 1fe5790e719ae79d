// SPDX-License-Identifier: MIT

#pragma once

#include "session/typing_burst.h"

#include <QDateTime>
#include <QString>
#include "session/history_step.h"

namespace quillory {

class GeneralData;

/// The name typed in its box, as one step of the undo history; a burst of typing merges into
/// one step. The typing has made and stored the change, so the history's first redo() does
/// nothing; undo and redo show and store the name at once, as any change of it is stored.
class NameTyped final : public HistoryStep {
public:
    /// The name went from `before` to `after` by `edit`.
    NameTyped(GeneralData& fields, QString before, QString after, const TextEdit& edit);

    int id() const override;
    bool mergeWith(const QUndoCommand* other) override;
    void undo() override;
    void redo() override;

private:
    GeneralData& m_fields;
    QString m_before;
    QString m_after;
    TextEdit m_lastEdit;
    bool m_madeByTyping = true;
    // Typing goes on in this step until it has been undone or redone.
    bool m_open = true;
};

/// A change of the date in the picker, as one step of the undo history. As for the name, the
/// first redo() does nothing, and undo and redo show and store the date at once.
class DateChanged final : public HistoryStep {
public:
    /// The date went from `before` to `after`.
    DateChanged(GeneralData& fields, QDateTime before, QDateTime after);

    void undo() override;
    void redo() override;

private:
    GeneralData& m_fields;
    QDateTime m_before;
    QDateTime m_after;
    bool m_madeByPicker = true;
};

} // namespace quillory
