// SPDX-License-Identifier: MIT

#pragma once

#include <QByteArray>
#include <QString>

namespace quillory::test {

/// The whole content of a file; empty when it cannot be read.
QByteArray readBytes(const QString& path);

/// Creates or replaces a file with the bytes; false when it cannot be written.
bool writeBytes(const QString& path, const QByteArray& bytes);

} // namespace quillory::test
