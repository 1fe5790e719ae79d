// SPDX-License-Identifier: MIT

#pragma once

#include "document/layout/layout.h"
#include "document/layout/text_position.h"
#include "document/rtf/model.h"

#include <QString>

#include <memory>
#include <optional>
#include <vector>

namespace quillory::doc::automation {

struct ApplicationState;

/// Whole cells selected: a block of rows and, in each, a run of cells.
struct CellSelection {
    int block = 0;     ///< the table's block
    int firstRow = 0;  ///< the first selected row
    int lastRow = 0;   ///< the last selected row
    int firstCell = 0; ///< the first selected cell of each row
    int lastCell = 0;  ///< the last selected cell of each row
};

/// The selection of a document: an insertion point, or selected cells.
struct SelectionState {
    TextPosition caret;                 ///< the insertion point, or the first selected cell's start
    std::optional<CellSelection> cells; ///< the selected cells, if whole cells are selected
};

/// An open document: its content, where it came from, its selection and its cached layout.
class DocumentState {
public:
    /// An open document whose content may be shared with others until it is first changed.
    DocumentState(std::weak_ptr<ApplicationState> application,
                  std::shared_ptr<const doc::Document> content, QString path, bool readOnly);

    /// Throws Failure when the document is closed or its instance has quit.
    void requireOpen() const;
    /// The content, to read.
    const doc::Document& content() const { return *m_content; }
    /// The content, shared, as it stands.
    const std::shared_ptr<const doc::Document>& sharedContent() const { return m_content; }
    /// The content, to change (copied first while it is shared); the layout is made again when
    /// next needed.
    doc::Document& edit();
    /// The layout of the current content, made once per change.
    const DocumentLayout& layout();
    /// Closes the document: it leaves its instance's list and every later use of it throws.
    void close();

    /// The file the document was read from or last saved to.
    QString path;
    /// Whether it was opened read-only (it cannot be saved over its own file).
    bool readOnly = false;
    /// False once closed.
    bool open = true;
    /// Where typing lands.
    SelectionState selection;

private:
    std::weak_ptr<ApplicationState> m_application;
    std::shared_ptr<const doc::Document> m_content;
    std::shared_ptr<const DocumentLayout> m_layout;
};

/// A running instance: its switches and its open documents (the last one is active).
struct ApplicationState {
    bool running = true;                                   ///< false once quit
    bool displayAlerts = true;                             ///< the DisplayAlerts switch
    std::vector<std::shared_ptr<DocumentState>> documents; ///< open documents, oldest first

    /// Throws Failure when the instance has quit.
    void requireRunning() const;
    /// The active document; throws Failure when none is open.
    std::shared_ptr<DocumentState> activeDocument() const;
    /// Closes every document and ends the instance.
    void quit();
};

} // namespace quillory::doc::automation
