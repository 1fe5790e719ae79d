// SPDX-License-Identifier: MIT

#pragma once

#include "base/file_descriptor.h"

#include <QString>

// What the program makes for the user's data is theirs alone: files 0600 in folders 0700.
// What exists already keeps its mode.
namespace quillory {

/// Makes the folder and every missing folder above it, each new one open to the user alone
/// (0700); folders that exist keep their modes. False when the folder is not there afterwards.
bool makePrivateFolder(const QString& path);

/// Makes a new empty file at the path, open to the user alone (0600), never through a link, and
/// returns it open for reading and writing; none, with errno set (EEXIST when something stands
/// at the path already), when it cannot be made.
FileDescriptor createPrivateFile(const QString& path);

} // namespace quillory
