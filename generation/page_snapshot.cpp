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
#include "generation/snapshot_file.h"

#include <QClipboard>
#include <QGuiApplication>

namespace quillory {

using namespace Qt::StringLiterals;
namespace automation = doc::automation;

namespace {

constexpr int ClipboardAttempts = 1000;

QImage readClipboard()
{
    return QGuiApplication::clipboard()->image();
}

} // namespace

std::optional<QImage> GetClipboardPicture(int /*format*/, const ClipboardReader& read)
{
    const ClipboardReader& reader = read ? read : ClipboardReader(readClipboard);
    for (int attempt = 0; attempt < ClipboardAttempts; ++attempt) {
        try {
            QImage picture = reader();
            if (!picture.isNull())
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
        const std::optional<QImage> picture = GetClipboardPicture(0);
        if (!picture)
            throw Failure(Failure::Unavailable, u"There is no picture on the clipboard."_s);
        written = writeSnapshotFile(joinPath(TempFolder(), QString::fromUtf16(SnapshotFileName)),
                                    *picture);
        trackWorkingFile(written->path, written->identity);
    });
    procedure.step(
        124, [&] { doc::running(word).ActiveDocument().Close(automation::wdDoNotSaveChanges); });
    procedure.step(126, [&] { doc::running(word).Quit(); });
    return written;
}

void shareSnapshotWithClipboard(const QImage& snapshot)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard->ownsClipboard())
        clipboard->setImage(snapshot);
}

} // namespace quillory
