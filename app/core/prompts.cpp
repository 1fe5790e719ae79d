#include "app/core/prompts.h"

#include <QtGlobal>

namespace quillory {

namespace {
Prompts* installed = nullptr;
}

Prompts& prompts()
{
    Q_ASSERT_X(installed, "prompts", "no prompts installed");
    return *installed;
}

void installPrompts(Prompts* prompts)
{
    installed = prompts;
}

} // namespace quillory
