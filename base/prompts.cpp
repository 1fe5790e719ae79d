// SPDX-License-Identifier: MIT

#include "base/prompts.h"

#include <QtGlobal>

namespace quillory {

namespace {
Prompts* installed = nullptr;
}

Prompts& prompts()
{
    // Checked in every build: without prompts a failure would have nowhere to be told.
    if (!installed)
        qFatal("quillory::prompts(): no prompts installed");
    return *installed;
}

void installPrompts(Prompts* prompts)
{
    installed = prompts;
}

} // namespace quillory
