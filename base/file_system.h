#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <initializer_list>

namespace quillory {

/// True when the modification time of the path can be read; false for empty, malformed,
/// missing or unreachable paths. Never throws, never reports.
bool FileExists(const QString& path);

/// Lets waiting window events run once, then writes the bytes to a new file at the path unless
/// something already exists there. The file is created exclusively, so a link planted at the
/// path is never followed. Throws Failure when the file cannot be written.
void WriteBytesToFile(const QByteArray& bytes, const QString& path);

/// Deletes the file, ignoring every failure.
void DeleteFileQuietly(const QString& path);

/// Writes the bytes to the path through a temporary file in the same folder and a rename, so the
/// target is either the old file or the whole new one, and a link at the path is replaced, not
/// followed. Throws Failure when it cannot.
void replaceFileAtomically(const QString& path, const QByteArray& bytes);

/// Whether a replacing file must have reached the disk before it takes the path's place.
enum class Durability { Synced, Unsynced };

/// replaceFileAtomically from pieces written one after the other, without copying them into one.
/// `Unsynced` does not wait for the disk: for working files that are read back at once and
/// deleted, where a crash loses nothing.
void replaceFileAtomically(const QString& path, std::initializer_list<QByteArrayView> pieces,
                           Durability durability);

/// The folder for working files: the one named by TEMP when set, otherwise a private per-user
/// folder (owner-only permissions) under the platform's temporary folder.
QString TempFolder();

/// The folder joined with a file name by the platform's separator.
QString joinPath(const QString& folder, const QString& fileName);

} // namespace quillory
