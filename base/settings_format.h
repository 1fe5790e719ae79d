#pragma once

#include <QSettings>

namespace quillory {

/// The settings file's format: the same INI text that Qt's native format writes on Linux (each
/// can read what the other wrote), but written in bulk. Qt 6's own writer encodes every
/// character on its own, which makes storing a long class list take several times longer.
QSettings::Format settingsFileFormat();

/// Writes the settings map as INI text.
QByteArray settingsToIni(const QSettings::SettingsMap& settings);

/// Reads INI text into a settings map; false when the text is not INI.
bool settingsFromIni(QByteArrayView text, QSettings::SettingsMap& settings);

} // namespace quillory
