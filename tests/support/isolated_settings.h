// SPDX-License-Identifier: MIT

#pragma once

#include <QString>
#include <QTemporaryDir>

namespace quillory::test {

/// Points the per-user settings store at a fresh temporary folder (through XDG_CONFIG_HOME,
/// which programs started from the test inherit), so tests never read or touch the user's own
/// settings. The store stays pointed there after its lifetime, never back at the user's.
class IsolatedSettings {
public:
    IsolatedSettings();

    /// The settings file the program writes.
    QString filePath() const;
    /// The folder that holds it.
    QString folder() const { return m_folder.path(); }

private:
    QTemporaryDir m_folder;
};

} // namespace quillory::test
