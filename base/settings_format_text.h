// SPDX-License-Identifier: MIT

#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QVariant>

#include <optional>

// The pieces of one INI line, written and read as Qt's own INI format does: keys with %XX and
// %UXXXX escapes, values with backslash escapes, quotes, comma-separated lists and Qt's
// @Type(...) markers for values that are not plain text.
namespace quillory::ini {

/// Appends a key (or section name) in its escaped form.
void appendKey(QByteArray& out, QStringView key);

/// Reads an escaped key (or section name).
QString readKey(QByteArrayView raw);

/// Appends a value: a list as comma-separated items, anything else as one escaped text.
void appendValue(QByteArray& out, const QVariant& value);

/// Reads the text after the '=' of a key line into the value it stands for.
QVariant readValue(QByteArrayView raw);

/// The text of a value that Qt reads as a list (plain text with unquoted commas) and that is
/// read as written instead; nothing for every other value.
std::optional<QString> commaText(QByteArrayView raw);

} // namespace quillory::ini
