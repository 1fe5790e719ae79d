// SPDX-License-Identifier: MIT

#pragma once

#include "app/week_export.h"

#include <optional>

namespace quillory {

/// Gives the program its version and the name of its desktop entry, which lets the desktop
/// match the windows to the installed menu entry and its icon. Call before anything else.
void nameProgram();

/// What the command line asks of the program.
struct CommandLineAnswer {
    /// The exit status when the program ends here (0 answered, 1 the answer could not be
    /// written, 2 not understood; --publish's own); nothing when it goes on.
    std::optional<int> exitStatus;
    /// "--export FILE" with a file name that names a form: the stored week is to be written
    /// there, without a window; nothing when the program is to start.
    std::optional<ExportRequest> exportRequest;
};

/// Answers --help and --version on standard output, runs --publish (runPublishCommand) and
/// refuses any other argument with one line on standard error, before any window, display or
/// lock exists; takes "--export FILE" for the caller to carry out.
CommandLineAnswer answerCommandLine(int argc, char** argv);

} // namespace quillory
