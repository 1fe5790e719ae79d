// SPDX-License-Identifier: MIT

#pragma once

#include "base/own_file.h"

#include <QImage>
#include <QString>

#include <functional>
#include <optional>

namespace quillory {

/// The snapshot's file name in the working folder (its content is a 32-bit bitmap).
inline constexpr char16_t SnapshotFileName[] = u"temp.bmp";

/// Reads the clipboard's picture.
using ClipboardReader = std::function<QImage()>;

/// The clipboard's picture, reading it up to 1,000 times at once until a read yields one;
/// nothing when none did. `format` 0 lets the clipboard choose. Never throws.
std::optional<QImage> GetClipboardPicture(int format,
                                          const ClipboardReader& read = ClipboardReader());

/// Renders the document at `inFile` through a second instance of the document component and
/// the clipboard into the snapshot file in the working folder (readable by the user only, and
/// under a private name when another user's file holds the snapshot's). Every failed step is
/// reported. Returns where and which file it wrote, a working file of the run until deleted;
/// nothing when it wrote none.
std::optional<WrittenFile> SaveDocAsJPG(const QString& inFile);

/// While the clipboard still holds this program's picture, it takes the loaded snapshot, the same
/// pixels, instead: they stay in the snapshot file's mapping, read only where they are pasted,
/// and the picture's second copy in memory is freed.
void shareSnapshotWithClipboard(const QImage& snapshot);

} // namespace quillory
