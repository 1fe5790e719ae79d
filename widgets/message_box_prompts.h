// SPDX-License-Identifier: MIT

#pragma once

#include "base/prompts.h"

namespace quillory {

/// The prompts as the user sees them: message boxes and the platform's save dialog.
class MessageBoxPrompts final : public Prompts {
public:
    void errorReport(const QString& text, ReportIcon icon) override;
    void note(const QString& text) override;
    bool askYesNo(const QString& text) override;
    SaveChoice askSavePath(const QString& title, const QString& filters,
                           const QString& selectedFilter, const QString& folder) override;
};

} // namespace quillory
