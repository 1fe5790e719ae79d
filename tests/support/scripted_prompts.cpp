// SPDX-License-Identifier: MIT

#include "tests/support/scripted_prompts.h"

namespace quillory::test {

ScriptedPrompts::ScriptedPrompts()
{
    installPrompts(this);
}

ScriptedPrompts::~ScriptedPrompts()
{
    installPrompts(nullptr);
}

void ScriptedPrompts::errorReport(const QString& text, ReportIcon icon)
{
    m_shown.append({Kind::ErrorReport, text, icon, {}, {}, {}});
}

void ScriptedPrompts::note(const QString& text)
{
    m_shown.append({Kind::Note, text, ReportIcon::None, {}, {}, {}});
}

bool ScriptedPrompts::askYesNo(const QString& text)
{
    m_shown.append({Kind::Question, text, ReportIcon::None, {}, {}, {}});
    return !answers.isEmpty() && answers.takeFirst();
}

SaveChoice ScriptedPrompts::askSavePath(const QString& title, const QString& filters,
                                        const QString& selectedFilter, const QString& folder)
{
    m_shown.append({Kind::SaveDialog, title, ReportIcon::None, filters, selectedFilter, folder});
    const QString filter = saveFilters.isEmpty() ? selectedFilter : saveFilters.takeFirst();
    if (savePaths.isEmpty())
        return {};
    return {savePaths.takeFirst(), filter};
}

QStringList ScriptedPrompts::texts(Kind kind) const
{
    QStringList found;
    for (const Shown& box : m_shown) {
        if (box.kind == kind)
            found.append(box.text);
    }
    return found;
}

} // namespace quillory::test
