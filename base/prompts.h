// SPDX-License-Identifier: MIT

#pragma once

#include <QString>

namespace quillory {

/// Whether an error report carries the warning icon.
enum class ReportIcon { Warning, None };

/// What the save-file dialog was left with.
struct SaveChoice {
    QString path;   ///< exactly as the dialog gives it; empty when cancelled
    QString filter; ///< the filter chosen last
};

/// Every modal question and message the program shows, behind one interface so that
/// tests can script the answers and read what would have been shown.
class Prompts {
public:
    virtual ~Prompts() = default;

    /// The error report: title "Application Error", one OK button.
    virtual void errorReport(const QString& text, ReportIcon icon) = 0;
    /// A note with one OK button, no icon, the application title.
    virtual void note(const QString& text) = 0;
    /// A Yes/No question without an icon under the application title; true for Yes.
    virtual bool askYesNo(const QString& text) = 0;
    /// The save-file dialog with its filters (separated by ";;"), `selectedFilter` chosen first,
    /// opening in `folder` with no name proposed.
    virtual SaveChoice askSavePath(const QString& title, const QString& filters,
                                   const QString& selectedFilter, const QString& folder) = 0;
};

/// The prompts in use. Aborts when none are installed: a program without them cannot speak.
Prompts& prompts();

/// Installs the prompts the program shows its messages through (not owned); returns the ones
/// installed before, if any.
Prompts* installPrompts(Prompts* prompts);

} // namespace quillory
