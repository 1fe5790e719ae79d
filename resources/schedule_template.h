// SPDX-License-Identifier: MIT

#pragma once

#include <QByteArray>

namespace quillory {

/// The schedule template's RTF bytes as the program carries them (":/template.dot"); throws
/// quillory::Failure when the resource cannot be read.
QByteArray templateBytes();

} // namespace quillory
