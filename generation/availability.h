// SPDX-License-Identifier: MIT

#pragma once

#include <QString>

namespace quillory {

/// The five-part message shown when the document component cannot start (parts joined by
/// "\r\n\r\n").
QString componentUnavailableMessage();

/// Starts one instance and quits it. When none can be started, shows the message through
/// quillory::prompts().note(...) and returns false: the caller then ends the program at once
/// (no window shown, nothing stored). Every other failure inside is ignored.
bool CheckWordInstalled();

/// Lays the template out and pictures it once, so that its fonts are resolved and their glyphs
/// drawn before the first run needs them; every failure is ignored (the run reports its own).
void prepareScheduleFonts();

} // namespace quillory
