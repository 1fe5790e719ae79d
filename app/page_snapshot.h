#pragma once

#include "base/own_file.h"

#include <QImage>
#include <QString>

#include <functional>
#include <optional>

namespace quillory {

/// The snapshot's file name in the working folder (its content is PNG, whatever the name says).
inline constexpr char16_t SnapshotFileName[] = u"temp.bmp";

/// Reads the clipboard's picture.
using ClipboardReader = std::function<QImage()>;

/// The clipboard's picture, reading it up to 1,000 times at once until a read yields one;
/// nothing when none did. `format` 0 lets the clipboard choose. Never throws.
std::optional<QImage> GetClipboardPicture(int format,
                                          const ClipboardReader& read = ClipboardReader());

/// Renders the document at `inFile` through a second instance of the document component and
/// the clipboard into the snapshot file in the working folder (readable by the user only).
/// Every failed step is reported. Returns which file it wrote; nothing when it wrote none.
std::optional<FileIdentity> SaveDocAsJPG(const QString& inFile);

/// Reads the snapshot file at the path as a picture, with the device pixel ratio it was made
/// at, but only when it is still the file that was written (`written`): never whatever else
/// happens to lie under the name. Throws Failure otherwise.
QImage loadSnapshot(const QString& path, const std::optional<FileIdentity>& written);

} // namespace quillory
