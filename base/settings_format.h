// SPDX-License-Identifier: MIT

#pragma once

#include <QByteArray>
#include <QHash>
#include <QSettings>

namespace quillory {

/// Values that are no plain text, by key, as the file wrote them (the text after '=').
using RawIniValues = QHash<QString, QByteArray>;

/// A settings file as read.
struct IniContent {
    /// Every key that could be read, with its value.
    QSettings::SettingsMap values;
    /// The keys whose values are no plain text, as written in the file: a hand-edited list of
    /// quoted items is written back byte for byte until the program stores a text there.
    RawIniValues rawValues;
    /// Whether some line could not be read (it is left out; the other keys are kept).
    bool damaged = false;
    /// Whether some value of plain text with unquoted commas, which Qt reads as a list, was
    /// read as the text it was written as (so it is written back as one quoted text).
    bool commaTexts = false;
};

/// Reads INI text as Qt's own INI format does, but in bulk (Qt 6.4 decodes every character on
/// its own, which makes a long class list slow). A file with damaged lines gives every key that
/// can be read.
IniContent readIni(QByteArrayView text);

/// Writes the keys as Qt 6.4 does: sections and the keys in each in the order of their names,
/// whatever order the file had; keys in `raw` with the text they hold there.
QByteArray writeIni(const QSettings::SettingsMap& values, const RawIniValues& raw = {});

} // namespace quillory
