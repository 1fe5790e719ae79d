// SPDX-License-Identifier: MIT

#pragma once

#include "base/own_file.h"
#include "generation/snapshot_file.h"

#include <QString>

#include <functional>
#include <optional>

namespace quillory {

/// The snapshot's file name in the working folder (its content is a vector picture, whatever the
/// name says).
inline constexpr char16_t SnapshotFileName[] = u"temp.bmp";

/// Reads the clipboard's picture: null when it holds none.
using ClipboardReader = std::function<SnapshotPicture()>;

/// The clipboard's picture, reading it up to 1,000 times at once until a read yields one;
/// nothing when none did. `format` 0 lets the clipboard choose. Never throws.
std::optional<SnapshotPicture> GetClipboardPicture(int format,
                                                   const ClipboardReader& read = ClipboardReader());

/// Renders the document at `inFile` through a second instance of the document component and
/// the clipboard into the snapshot file in the working folder (readable by the user only, and
/// under a private name when another user's file holds the snapshot's). Every failed step is
/// reported. Returns where and which file it wrote, a working file of the run until deleted;
/// nothing when it wrote none.
std::optional<WrittenFile> SaveDocAsJPG(const QString& inFile);

/// While the clipboard still holds this program's picture, it takes the loaded snapshot, the same
/// picture, instead: it stays in the snapshot file's mapping, read only where it is pasted, and
/// the picture's second copy in memory is freed.
void shareSnapshotWithClipboard(const SnapshotPicture& snapshot);

} // namespace quillory
