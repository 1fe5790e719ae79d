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

} // namespace quillory
