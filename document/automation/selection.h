// SPDX-License-Identifier: MIT

#pragma once

#include "document/automation/constants.h"

#include <QString>

#include <memory>

namespace quillory::doc::automation {

struct ApplicationState;
class DocumentState;

/// The selection of the active document: an insertion point or selected cells. Every operation
/// throws Failure when the instance has quit or no document is open.
class Selection {
public:
    /// The selection of the instance's active document.
    explicit Selection(std::shared_ptr<ApplicationState> application);

    /// Moves the insertion point down by laid-out lines (Unit wdLine only), keeping its x: from
    /// a paragraph into a table it lands in the cell under that x. Returns the lines moved.
    int MoveDown(int Unit = wdLine, int Count = 1);
    /// Selects the next cell (Unit wdCell only), Count times: the next in the row, else the
    /// first of the next row. From the table's last cell it adds a row like the last one and
    /// selects its first cell, as the Tab key does. Returns the cells moved.
    int MoveRight(int Unit, int Count = 1);
    /// Types text at the insertion point, replacing the selection (selected cells are emptied
    /// and typing lands in the first). Typed text takes the format of the place it lands; a line
    /// break ("\r\n", "\r" or "\n") starts a new paragraph of the same format.
    void TypeText(const QString& Text);
    /// Inserts rows with the current row's layout and no text below it, and selects them.
    void InsertRowsBelow(int NumRows = 1);
    /// What the selection's start is in: wdWithInTable (1 or 0) or wdStartOfRangeRowNumber
    /// (the table row from 1, or -1 outside tables).
    int Information(int Type) const;

private:
    std::shared_ptr<DocumentState> document() const;

    std::shared_ptr<ApplicationState> m_application;
};

} // namespace quillory::doc::automation
