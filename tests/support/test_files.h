// SPDX-License-Identifier: MIT

#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace quillory::test {

/// The whole content of a file; empty when it cannot be read.
QByteArray readBytes(const QString& path);

/// Creates or replaces a file with the bytes; false when it cannot be written.
bool writeBytes(const QString& path, const QByteArray& bytes);

/// Gives the file this modification time; false when it cannot.
bool setModified(const QString& path, const QDateTime& time);

} // namespace quillory::test
