// SPDX-License-Identifier: MIT

#pragma once

#include "base/file_layer.h"
#include "base/own_file.h"
#include "base/result.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <functional>
#include <initializer_list>

namespace quillory {

/// True when the modification time of the path can be read; false for empty, malformed,
/// missing or unreachable paths. Never throws, never reports.
bool FileExists(const QString& path);

/// Lets waiting window events run once, then writes the bytes to a new file at the path unless
/// something already exists there. The file is created exclusively and readable by the user
/// only, so a link planted at the path is never followed. Fails with the system's reason when
/// the file cannot be written.
Outcome WriteBytesToFile(const QByteArray& bytes, const QString& path);

/// Deletes the file, ignoring every failure.
void DeleteFileQuietly(const QString& path);

/// Whether a replacing file must have reached the disk before it takes the path's place.
/// `Unsynced` is for working files that are read back at once and deleted, where a crash loses
/// nothing.
enum class Durability { Synced, Unsynced };

/// Writes the bytes to the path through a temporary file in the same folder and a rename, so the
/// target is either the old file or the whole new one, and a link at the path is replaced, not
/// followed. A synced write has reached the disk, its new name too, when it succeeds. A
/// replaced file keeps its permissions, a new one gets the umask's. Fails with the system's
/// reason when it cannot; the old file then stays as it was and no temporary file is left.
Outcome replaceFileAtomically(const QString& path, const QByteArray& bytes,
                              Durability durability = Durability::Synced,
                              const FileLayer& layer = FileLayer::system());

/// Hands one piece of a file's content on to the file, after the pieces before it; false once a
/// piece could not be written (the pieces after it are then dropped).
using FileAppender = std::function<bool(QByteArrayView piece)>;
/// Makes a file's content piece by piece, handing each piece to the appender as it is made.
using ContentWriter = std::function<void(const FileAppender& append)>;

/// As replaceFileAtomically, with the content written as `write` makes it, so that it is never
/// held whole in memory.
Outcome replaceFileAtomically(const QString& path, const ContentWriter& write,
                              Durability durability = Durability::Synced,
                              const FileLayer& layer = FileLayer::system());

/// As replaceFileAtomically, but the new file is readable and writable by the user only;
/// gives which file was written.
Result<FileIdentity> replacePrivateFile(const QString& path, const QByteArray& bytes,
                                        const FileLayer& layer = FileLayer::system());

/// As replacePrivateFile, from pieces written one after the other without joining them first;
/// but when the name is taken by something this user may not replace (another user's file in a
/// folder where only owners may remove files, or a folder), the new file keeps a private name
/// of its own in the same folder instead, and nothing of the other is touched. Gives where
/// the file lies.
Result<WrittenFile> placePrivateFile(const QString& path,
                                     std::initializer_list<QByteArrayView> pieces,
                                     Durability durability);

/// Writes the bytes to a new file only the user can read and write, in the folder, under a name
/// made from the pattern (its "XXXXXX" drawn at random, never an existing name). Not waited for
/// on the disk. Fails with the system's reason when it cannot.
Result<WrittenFile> writePrivateFile(const QString& folder, const QString& pattern,
                                     const QByteArray& bytes);

/// Claims a name with a new empty file only the user can read and write; false when something
/// is at the path already. Fails with the system's reason when it cannot create it.
Result<bool> claimFileName(const QString& path);

/// Why writing `size` bytes into the folder fails at the moment, in the system's words ("No
/// space left on device"); empty when such a write succeeds.
QString writeFailureReason(const QString& folder, qint64 size);

/// The folder joined with a file name by the platform's separator.
QString joinPath(const QString& folder, const QString& fileName);

} // namespace quillory
