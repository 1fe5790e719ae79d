// SPDX-License-Identifier: MIT

#pragma once

#include "bench/busy_classes.h"
#include "document/layout/fonts.h"
#include "homework/homework_entry.h"
#include "tests/support/isolated_settings.h"
#include "tests/support/scripted_prompts.h"

#include <QApplication>
#include <QList>

namespace quillory::bench {

/// What a bench of the real windows runs in: an offscreen application with the program's font
/// substitutions, settings of its own and prompts that never wait for anyone.
class OffscreenProgram {
public:
    OffscreenProgram(int& argc, char** argv)
        : m_application((qputenv("QT_QPA_PLATFORM", "offscreen"), argc), argv)
    {
        doc::installFontSubstitutions();
    }

    /// The settings file the bench's windows use.
    test::IsolatedSettings settings;
    /// What would have been shown.
    test::ScriptedPrompts prompts;

private:
    QApplication m_application;
};

} // namespace quillory::bench
