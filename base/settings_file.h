// SPDX-License-Identifier: MIT

#pragma once

#include "base/file_descriptor.h"
#include "base/file_layer.h"
#include "base/result.h"
#include "base/settings_format.h"

#include <QMap>
#include <QString>

#include <optional>

namespace quillory {

/// The settings file as read: its keys, and what the program keeps of the file as it stands.
struct SettingsContent {
    /// The keys and values the file holds.
    IniContent ini;
    /// The file's bytes; empty when there is no file.
    QByteArray bytes;
    /// The file as it stood when read; nothing when there was none.
    std::optional<FileStamp> stamp;
    /// Whether reading changed what the file says (damaged lines, values that are no plain text
    /// or would not be written back as the same bytes): the file is then kept beside the new one
    /// ("<name>.damaged", ".damaged.2", …, one per distinct content) before it is first replaced.
    bool keepBeforeWriting = false;
};

/// The texts to store, each under its full key ("Quillory/Text1_0").
using SettingTexts = QMap<QString, QString>;

/// The settings file at one path, in Qt's INI format, read and written by the program itself:
/// a write is whole and on the disk when it succeeds (a temporary file written in full and
/// synced, renamed over the file, the folder synced), or leaves the file as it was and says why.
/// Written bytes are those Qt's own INI format writes for the same keys.
class SettingsFile {
public:
    /// The file at the path, written through the layer.
    explicit SettingsFile(QString path, const FileLayer& layer = FileLayer::system());

    /// The file's path.
    const QString& path() const { return m_path; }

    /// What the file holds now; an empty content when there is no file or something other than
    /// a file stands at its name (a pipe is never opened).
    SettingsContent read() const;

    /// Stores the texts: the file is written anew with them and every other key it holds, under
    /// Qt's lock beside it (a lock that no live process holds is taken over; one held elsewhere
    /// for more than half a second fails the write). A file that has not changed since this
    /// object last read or wrote it is not read again; a write that changes no byte writes
    /// nothing.
    Outcome write(const SettingTexts& texts);

private:
    Outcome writeLocked(const SettingTexts& texts);
    const SettingsContent& current();

    QString m_path;
    const FileLayer& m_layer;
    std::optional<SettingsContent> m_known;
};

} // namespace quillory
