// SPDX-License-Identifier: MIT

#pragma once

#include <QString>

namespace quillory {

/// Where the save dialog opens: in the folder of the last save of this run, else in the user's
/// Documents folder, else in the home folder; never in the folder the program was started from.
class SaveFolder {
public:
    /// The folder the next save dialog opens in: the last save's while it still exists.
    QString startFolder() const;
    /// A file was saved at `path`: the next dialog opens beside it.
    void saved(const QString& path);

private:
    QString m_lastSave;
};

/// The program's: it remembers the saves of this run.
SaveFolder& saveFolder();

} // namespace quillory
