// SPDX-License-Identifier: MIT

#pragma once

#include "base/file_layer.h"

namespace quillory {

/// Runs the program: sets up the application object and the prompts, starts the main window
/// and returns the exit code when the last window closes. The week's files are written through
/// the layer.
int runQuillory(int argc, char** argv, const FileLayer& layer = FileLayer::system());

} // namespace quillory
