// SPDX-License-Identifier: MIT

#pragma once

#include <QByteArray>
#include <QSettings>

namespace quillory {

/// A settings file as read.
struct IniContent {
    /// Every key that could be read, with its value.
    QSettings::SettingsMap values;
    /// Whether some line could not be read (it is left out; the other keys are kept).
    bool damaged = false;
    /// Whether some value of plain text with unquoted commas, which Qt reads as a list, was
    /// read as the text it was written as (so it is written back as one quoted text).
    bool commaTexts = false;
};

/// The settings file's format: Qt's own INI format, read and written byte for byte as Qt does,
/// but in bulk (Qt 6.4 encodes every character on its own, which makes storing a long class
/// list slow). A file with damaged lines gives every key that can be read. Before a file is first
/// replaced, a copy of it is kept beside it ("<name>.damaged", ".damaged.2", …, one per distinct
/// content) when it had damaged lines, or values that are no plain text or would not write back
/// as the same bytes.
QSettings::Format settingsFileFormat();

/// Reads INI text as Qt does.
IniContent readIni(QByteArrayView text);

/// Writes the keys as Qt 6.4 does: sections and the keys in each in the order of their names,
/// whatever order the file had.
QByteArray writeIni(const QSettings::SettingsMap& values);

/// Whether the settings file at the path had damaged lines when it was last read and has not
/// been written since.
bool settingsFileDamaged(const QString& path);

} // namespace quillory
