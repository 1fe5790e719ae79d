// SPDX-License-Identifier: MIT

#pragma once

#include "base/failure.h"
#include "base/file_descriptor.h"

#include <QByteArrayView>
#include <QString>

#include <functional>

namespace quillory {

/// A file the program wrote: where it lies and which file it is.
struct WrittenFile {
    QString path;
    FileIdentity identity;
};

/// A file of the user's own, opened read-only without following a link at its name: a plain
/// file that belongs to the user and has no second name (a hard link can be someone's way to
/// a private file). The checks look at the opened file, not at the name.
class OwnFile {
public:
    /// Opens and checks the file; throws Failure saying what is wrong with it.
    explicit OwnFile(const QString& path);

    /// The name the file was opened by; it may lead elsewhere by now.
    const QString& path() const { return m_path; }
    /// A path that reaches the opened file itself, whatever becomes of its name.
    QString openedPath() const;
    /// The whole file from its start, read through the descriptor, never by its name. Throws
    /// Failure with the system's reason when it cannot be read.
    QByteArray readAll() const;
    /// The whole file from its start, handed to `take` piece by piece as it is read through the
    /// descriptor, never by its name: a large file is never held whole. Throws Failure with the
    /// system's reason when it cannot be read.
    void readPieces(const std::function<void(QByteArrayView piece)>& take) const;
    /// The opened file's identity.
    FileIdentity identity() const { return m_identity; }
    /// The open file (read-only), owned by this object.
    const FileDescriptor& descriptor() const { return m_file; }
    /// The open file descriptor (read-only), owned by this object.
    int handle() const { return m_file.get(); }

private:
    Failure cannotRead() const;

    QString m_path;
    FileDescriptor m_file;
    FileIdentity m_identity;
};

/// Deletes the file at the path only when it is still the one with this identity; every
/// failure is ignored.
void deleteIfSameFile(const QString& path, const FileIdentity& identity);

} // namespace quillory
