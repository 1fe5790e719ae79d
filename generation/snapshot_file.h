// SPDX-License-Identifier: MIT

#pragma once

#include "base/own_file.h"

#include <QImage>
#include <QString>

#include <optional>

namespace quillory {

/// The most pixels a snapshot file may hold (512 MB at 4 bytes a pixel): well above what the
/// document component ever renders, and a larger file is refused before anything is allocated.
inline constexpr qint64 MaxSnapshotPixels = qint64(128) * 1024 * 1024;

/// Writes the picture as an uncompressed 32-bit bitmap (BMP) at the path, replacing any file
/// there. The pixels go out as they lie in memory, top row first, so writing costs no more than
/// copying them; the resolution records the device pixel ratio. The file is readable by the user
/// only and is not waited for on the disk. When the name is taken by a file this user may not
/// replace, the picture goes under a private name in the same folder instead. Returns where and
/// which file was written; throws Failure when it cannot be.
WrittenFile writeSnapshotFile(const QString& path, const QImage& picture);

/// Reads the picture file that was written, recognising its format by the content, with the
/// device pixel ratio its resolution records, but only while it is still the user's own file
/// that was written: never whatever else happens to lie under the name. A file in the layout
/// writeSnapshotFile writes is not decoded at all: the picture is a private mapping of it, which
/// outlives the file's deletion, and only the rows that are painted are ever read. Other formats
/// are decoded; pictures of up to MaxSnapshotPixels load whatever Qt's default allocation limit.
/// Throws Failure naming the reason when it cannot.
/// Nothing written: a Failure.
QImage loadSnapshot(const std::optional<WrittenFile>& written);

} // namespace quillory
