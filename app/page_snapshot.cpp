#include "app/page_snapshot.h"

#include "base/failure.h"
#include "base/file_system.h"
#include "base/guarded_procedure.h"
#include "base/working_folder.h"
#include "document/automation/application.h"
#include "document/automation/application_starter.h"
#include "document/automation/document.h"
#include "document/automation/range.h"
#include "document/renderer.h"

#include <QBuffer>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QImageReader>

#include <cmath>

namespace quillory {

using namespace Qt::StringLiterals;
namespace automation = doc::automation;

namespace {

constexpr int ClipboardAttempts = 1000;
constexpr int FastPngQuality = 80;
// A picture's resolution says its device pixel ratio: 96 dots per inch is a ratio of 1.
constexpr double DotsPerMeterAtRatioOne = 96.0 / 0.0254;
constexpr double RatioSteps = doc::PictureRatioSteps;

QImage readClipboard()
{
    return QGuiApplication::clipboard()->image();
}

QByteArray pngBytes(QImage picture)
{
    picture.setDotsPerMeterX(int(std::lround(DotsPerMeterAtRatioOne * picture.devicePixelRatio())));
    picture.setDotsPerMeterY(picture.dotsPerMeterX());
    QByteArray bytes;
    QBuffer buffer(&bytes);
    // The file lives for a moment only: the fastest compression (zlib level 1) is enough.
    if (!buffer.open(QIODevice::WriteOnly) || !picture.save(&buffer, "PNG", FastPngQuality))
        throw Failure(u"The picture could not be encoded."_s);
    return bytes;
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

std::optional<FileIdentity> SaveDocAsJPG(const QString& inFile)
{
    GuardedProcedure procedure(locations::Form1PageSnapshot);
    std::optional<FileIdentity> written;
    std::unique_ptr<automation::Application> word;
    procedure.step(116, [&] { word = doc::startApplication(); });
    procedure.step(118, [&] { doc::running(word).Documents().Open(inFile); });
    procedure.step(120, [&] { doc::running(word).ActiveDocument().Range().CopyAsPicture(); });
    procedure.step(122, [&] {
        const std::optional<QImage> picture = GetClipboardPicture(0);
        if (!picture)
            throw Failure(u"There is no picture on the clipboard."_s);
        // Replaced by a rename, so a link planted at the name is never written through.
        written = replacePrivateFile(joinPath(TempFolder(), QString::fromUtf16(SnapshotFileName)),
                                     pngBytes(*picture));
    });
    procedure.step(
        124, [&] { doc::running(word).ActiveDocument().Close(automation::wdDoNotSaveChanges); });
    procedure.step(126, [&] { doc::running(word).Quit(); });
    return written;
}

QImage loadSnapshot(const QString& path, const std::optional<FileIdentity>& written)
{
    if (!written)
        throw Failure(u"No picture was written to %1 in this run."_s.arg(path));
    const OwnFile file(path);
    if (file.identity() != *written)
        throw Failure(u"%1 is not the picture this run wrote; it is not shown."_s.arg(path));
    QFile opened;
    opened.open(file.handle(), QIODevice::ReadOnly, QFileDevice::DontCloseHandle);
    QImageReader reader(&opened); // recognises the format by the content
    QImage picture = reader.read();
    if (picture.isNull())
        throw Failure(u"The picture %1 could not be loaded: %2"_s.arg(path, reader.errorString()));
    // Ratios come in steps of 1/64 (below 1 for very long schedules); the resolution stored in
    // whole dots per metre is not exact.
    const double ratio =
        std::round(picture.dotsPerMeterX() / DotsPerMeterAtRatioOne * RatioSteps) / RatioSteps;
    if (ratio > 0 && ratio != 1)
        picture.setDevicePixelRatio(ratio);
    return picture;
}

} // namespace quillory
