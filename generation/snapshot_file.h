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
/// only and is not waited for on the disk. Returns which file was written; throws Failure when
/// it cannot be.
FileIdentity writeSnapshotFile(const QString& path, const QImage& picture);

/// Reads the picture file at the path, recognising its format by the content, with the device
/// pixel ratio its resolution records, but only when it is the user's own file that was written
/// (`written`): never whatever else happens to lie under the name. A file in the layout
/// writeSnapshotFile writes is not decoded at all: the picture is a private mapping of it, which
/// outlives the file's deletion, and only the rows that are painted are ever read. Other formats
/// are decoded; pictures of up to MaxSnapshotPixels load whatever Qt's default allocation limit.
/// Throws Failure naming the reason when it cannot.
QImage loadSnapshot(const QString& path, const std::optional<FileIdentity>& written);

} // namespace quillory
