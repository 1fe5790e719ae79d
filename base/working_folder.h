// SPDX-License-Identifier: MIT

#pragma once

#include <QString>

#include <optional>

namespace quillory {

/// The per-user runtime folder (XDG_RUNTIME_DIR) when it is set and is a real folder of the
/// user's own that nobody else may enter; nothing otherwise.
std::optional<QString> runtimeFolder();

/// The folder for working files: the one named by TEMP when set; otherwise the runtime
/// folder; otherwise a private folder with an unpredictable name under the platform's
/// temporary folder, made once for this run of the program and removed at its end when empty.
/// Throws Failure (with the system's reason) when no such folder can be made.
QString TempFolder();

} // namespace quillory
