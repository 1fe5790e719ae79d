// SPDX-License-Identifier: MIT

#pragma once

#include "base/own_file.h"
#include "document/paint/vector_picture.h"

#include <QString>

#include <memory>
#include <optional>

namespace quillory {

/// A page snapshot: a vector picture, or a bitmap held as one.
using SnapshotPicture = std::shared_ptr<const doc::VectorPicture>;

/// The most pixels a snapshot bitmap may hold (512 MB at 4 bytes a pixel): well above what the
/// document component ever renders, and a larger file is refused before anything is allocated.
inline constexpr qint64 MaxSnapshotPixels = qint64(128) * 1024 * 1024;

/// Writes the picture at the path, replacing any file there: a vector picture as its header and
/// its pages' commands; a bitmap (one another program put on the clipboard) as an uncompressed
/// 32-bit bitmap (BMP), its pixels as they lie in memory, top row first, its resolution the
/// device pixel ratio. The file is readable by the user only and is not waited for on the disk.
/// When the name is taken by a file this user may not replace, the picture goes under a private
/// name in the same folder instead. Returns where and which file was written; throws Failure
/// when it cannot be.
WrittenFile writeSnapshotFile(const QString& path, const doc::VectorPicture& picture);

/// Reads the picture file that was written, recognising its format by the content, but only
/// while it is still the user's own file that was written: never whatever else happens to lie
/// under the name. A vector picture and a bitmap in the layout writeSnapshotFile writes are not
/// decoded at all: the picture is a private mapping of the file, which outlives its deletion,
/// and only the pages (or rows) that are painted are ever read. Other bitmap formats are decoded,
/// with the device pixel ratio their resolution records; pictures of up to MaxSnapshotPixels
/// load whatever Qt's default allocation limit. Throws Failure naming the reason when it cannot;
/// nothing written is a Failure too.
SnapshotPicture loadSnapshot(const std::optional<WrittenFile>& written);

} // namespace quillory
