// SPDX-License-Identifier: MIT

#pragma once

namespace quillory {

/// Runs the program: sets up the application object and the prompts, starts the main window
/// and returns the exit code when the last window closes.
int runQuillory(int argc, char** argv);

} // namespace quillory
