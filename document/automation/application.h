// SPDX-License-Identifier: MIT

#pragma once

#include "document/automation/document.h"
#include "document/automation/selection.h"

#include <QString>

#include <memory>

namespace quillory::doc::automation {

struct ApplicationState;

/// The documents open in an instance.
class Documents {
public:
    /// The documents of a running instance.
    explicit Documents(std::shared_ptr<ApplicationState> application);

    /// Reads an RTF file and makes it the active document, its insertion point at the very
    /// start. Throws Failure naming the path when the file is missing, unreadable or not a
    /// document. A read-only document cannot be saved over its own file.
    Document Open(const QString& FileName, bool ReadOnly = false);
    /// How many documents are open.
    int Count() const;

private:
    std::shared_ptr<ApplicationState> m_application;
};

/// One running instance of the document component, driven like a word processor's automation
/// object. Every operation on an instance that has quit throws Failure.
class Application {
public:
    /// Starts an instance: throws Failure when there is no QGuiApplication or the fonts the
    /// template is designed in cannot be resolved.
    Application();
    /// Ends the instance if it still runs; its documents close without saving.
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    /// Closes every open document without saving and ends the instance.
    void Quit();
    /// Whether the instance may ask questions (it never does; kept for the callers' sake).
    bool DisplayAlerts() const;
    /// Turns questions on or off.
    void setDisplayAlerts(bool displayAlerts);
    /// The open documents.
    automation::Documents Documents() const;
    /// The selection of the active document.
    automation::Selection Selection() const;
    /// The document opened last and still open; throws Failure when none is.
    Document ActiveDocument() const;

private:
    std::shared_ptr<ApplicationState> m_state;
};

} // namespace quillory::doc::automation
