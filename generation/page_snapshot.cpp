// SPDX-License-Identifier: MIT

#include "generation/page_snapshot.h"

#include "base/failure.h"
#include "base/file_system.h"
#include "base/guarded_procedure.h"
#include "base/working_files.h"
#include "base/working_folder.h"
#include "document/automation/application.h"
#include "document/automation/application_starter.h"
#include "document/automation/document.h"
#include "document/automation/range.h"
#include "document/paint/picture_mime.h"
#include "generation/snapshot_file.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace quillory {

using namespace Qt::StringLiterals;
namespace automation = doc::automation;

namespace {

constexpr int ClipboardAttempts = 1000;

// This program's own picture as it is; any other program's as the bitmap it gives.
SnapshotPicture readClipboard()
{
    const QMimeData* held = QGuiApplication::clipboard()->mimeData();
    if (const auto* own = qobject_cast<const doc::PictureMimeData*>(held))
        return own->picture();
    const QImage image = QGuiApplication::clipboard()->image();
    if (image.isNull())
        return nullptr;
    return std::make_shared<const doc::VectorPicture>(doc::VectorPicture::fromBitmap(image));
}

} // namespace

std::optional<SnapshotPicture> GetClipboardPicture(int /*format*/, const ClipboardReader& read)
{
    const ClipboardReader& reader = read ? read : ClipboardReader(readClipboard);
    for (int attempt = 0; attempt < ClipboardAttempts; ++attempt) {
        try {
            SnapshotPicture picture = reader();
            if (picture)
                return picture;
        } catch (...) {
            // Another program may hold the clipboard; the next attempt follows at once.
        }
    }
    return std::nullopt;
}

std::optional<WrittenFile> SaveDocAsJPG(const QString& inFile)
{
    GuardedProcedure procedure(locations::Form1PageSnapshot);
    std::optional<WrittenFile> written;
    std::unique_ptr<automation::Application> word;
    procedure.step(116, [&] { word = doc::startApplication(); });
    procedure.step(118, [&] { doc::running(word).Documents().Open(inFile); });
    procedure.step(120, [&] { doc::running(word).ActiveDocument().Range().CopyAsPicture(); });
    procedure.step(122, [&] {
        const std::optional<SnapshotPicture> picture = GetClipboardPicture(0);
        if (!picture)
            throw Failure(Failure::Unavailable, u"There is no picture on the clipboard."_s);
        written = writeSnapshotFile(joinPath(TempFolder(), QString::fromUtf16(SnapshotFileName)),
                                    **picture);
        trackWorkingFile(written->path, written->identity);
    });
    procedure.step(
        124, [&] { doc::running(word).ActiveDocument().Close(automation::wdDoNotSaveChanges); });
    procedure.step(126, [&] { doc::running(word).Quit(); });
    return written;
}

void shareSnapshotWithClipboard(const SnapshotPicture& snapshot)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard->ownsClipboard())
        clipboard->setMimeData(new doc::PictureMimeData(snapshot));
}

} // namespace quillory
