// SPDX-License-Identifier: MIT

#pragma once

#include "base/own_file.h"

#include <QString>

namespace quillory {

/// Lists a working file of this run of the program (template copy, working document, snapshot)
/// among those that go when the program ends, however it ends: a file that is still where it
/// was put, and still the same file, is deleted then.
void trackWorkingFile(const QString& path, const FileIdentity& identity);

/// Deletes a working file now, only while the path still leads to that very file (a file
/// someone else put under the name stays), and takes it off the list. Every failure is ignored.
void deleteWorkingFile(const QString& path, const FileIdentity& identity);

/// Deletes every listed working file as deleteWorkingFile does. Runs by itself when the process
/// exits; the working folder's removal calls it first.
void deleteAllWorkingFiles();

} // namespace quillory
