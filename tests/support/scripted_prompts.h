// SPDX-License-Identifier: MIT

#pragma once

#include "base/prompts.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace quillory::test {

/// Prompts that never block: they record what would have been shown and answer from a script.
class ScriptedPrompts final : public Prompts {
public:
    enum class Kind { ErrorReport, Note, Question, SaveDialog };

    /// One box or dialog that would have been shown.
    struct Shown {
        Kind kind;
        QString text; ///< the message, or the dialog's title
        ReportIcon icon = ReportIcon::None;
        QString filter;         ///< the save dialog's filters
        QString selectedFilter; ///< the filter the save dialog opened with
        QString folder;         ///< the folder the save dialog opened in
    };

    /// Installs itself as the program's prompts for its lifetime.
    ScriptedPrompts();
    ~ScriptedPrompts() override;

    void errorReport(const QString& text, ReportIcon icon) override;
    void note(const QString& text) override;
    bool askYesNo(const QString& text) override;
    SaveChoice askSavePath(const QString& title, const QString& filters,
                           const QString& selectedFilter, const QString& folder) override;

    /// Answers for the next questions, in order (an unscripted question is answered No).
    QList<bool> answers;
    /// Paths for the next save dialogs, in order (an unscripted dialog is cancelled).
    QStringList savePaths;
    /// Filters the user picks in the next save dialogs, in order (unscripted: the one it opened
    /// with).
    QStringList saveFilters;

    /// Everything shown so far, in order.
    const QList<Shown>& shown() const { return m_shown; }
    /// The texts of everything of one kind shown so far.
    QStringList texts(Kind kind) const;
    /// The error reports shown so far.
    QStringList errorReports() const { return texts(Kind::ErrorReport); }
    /// Forgets what was shown.
    void clear() { m_shown.clear(); }

private:
    QList<Shown> m_shown;
    Prompts* m_previous = nullptr;
};

} // namespace quillory::test
