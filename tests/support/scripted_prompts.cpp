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
    m_shown.append({Kind::ErrorReport, text, icon, {}});
}

void ScriptedPrompts::note(const QString& text)
{
    m_shown.append({Kind::Note, text, ReportIcon::None, {}});
}

bool ScriptedPrompts::askYesNo(const QString& text)
{
    m_shown.append({Kind::Question, text, ReportIcon::None, {}});
    return !answers.isEmpty() && answers.takeFirst();
}

QString ScriptedPrompts::askSavePath(const QString& title, const QString& filter)
{
    m_shown.append({Kind::SaveDialog, title, ReportIcon::None, filter});
    return savePaths.isEmpty() ? QString() : savePaths.takeFirst();
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
