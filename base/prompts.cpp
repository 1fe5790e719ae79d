// SPDX-License-Identifier: MIT

#include "base/prompts.h"

#include <QtGlobal>

#include <utility>

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

Prompts* installPrompts(Prompts* prompts)
{
    return std::exchange(installed, prompts);
}

} // namespace quillory
