// SPDX-License-Identifier: MIT

#pragma once

#include <optional>

namespace quillory {

/// Gives the program its version and the name of its desktop entry, which lets the desktop
/// match the windows to the installed menu entry and its icon. Call before anything else.
void nameProgram();

/// Answers --help and --version on standard output, runs --publish (runPublishCommand) and
/// refuses any other argument with one line on standard error, before any window, display or
/// lock exists. Returns the exit status when the program ends here (0 answered, 1 the answer
/// could not be written, 2 not understood; --publish's own), or nothing when the program is to
/// start.
std::optional<int> answerCommandLine(int argc, char** argv);

} // namespace quillory
