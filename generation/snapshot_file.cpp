// SPDX-License-Identifier: MIT

#include "generation/snapshot_file.h"

#include "base/failure.h"
#include "base/file_system.h"
#include "document/paint/renderer.h"
#include "generation/snapshot_bitmap.h"

#include <QFile>
#include <QImageReader>

#include <cmath>
#include <memory>

namespace quillory {

using namespace Qt::StringLiterals;

namespace {

// A picture's resolution says its device pixel ratio: 96 dots per inch is a ratio of 1.
constexpr double DotsPerMeterAtRatioOne = 96.0 / 0.0254;

// The picture in one of the two formats the bitmap layout holds, without a copy where it
// already is in one.
QImage storableWords(const QImage& picture)
{
    const QImage::Format format = picture.format();
    if (format == QImage::Format_RGB32 || format == QImage::Format_ARGB32_Premultiplied)
        return picture;
    return picture.convertToFormat(picture.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                             : QImage::Format_RGB32);
}

void applyResolution(QImage& picture, quint32 dotsPerMeter)
{
    // Ratios come in whole steps (a screen's in quarters, a long schedule's lowered one finer);
    // the resolution, in whole dots per metre, is not exact.
    constexpr double Steps = doc::PictureRatioSteps;
    const double ratio = std::round(dotsPerMeter / DotsPerMeterAtRatioOne * Steps) / Steps;
    if (ratio > 0 && ratio != 1)
        picture.setDevicePixelRatio(ratio);
}

using MappedFile = std::unique_ptr<FileMapping>;

// The QImage cleanup that unmaps the file with the last copy of the picture.
void unmap(void* mapping)
{
    delete static_cast<FileMapping*>(mapping);
}

// A vector picture is played straight from the mapping, which it takes over: only the pages in
// view are ever read from the file. Nothing when the file holds another format.
SnapshotPicture mappedVectorPicture(MappedFile& mapping)
{
    const QByteArrayView view = mapping->view();
    if (!view.startsWith(doc::VectorPicture::Magic))
        return nullptr;
    const QByteArray bytes = QByteArray::fromRawData(view.data(), view.size());
    std::shared_ptr<const void> owner(std::move(mapping));
    std::optional<doc::VectorPicture> picture = doc::VectorPicture::recognise(bytes, owner);
    if (!picture)
        return nullptr;
    return std::make_shared<const doc::VectorPicture>(std::move(*picture));
}

// Our own bitmap layout is shown straight from the mapping: nothing is copied, and only the rows
// that are painted are ever read from the file; the picture takes the mapping over. A null picture
// when the file is in another format.
QImage mappedPicture(MappedFile& mapping, const QString& path)
{
    const std::optional<SnapshotBitmap> layout = SnapshotBitmap::recognise(mapping->view());
    if (!layout)
        return {};
    // Reading past the file's end would end the program, and Qt's reader fills missing rows
    // with anything.
    if (layout->fileBytes() > mapping->size() ||
        qint64(layout->pixels().width()) * layout->pixels().height() > MaxSnapshotPixels)
        throw Failure(Failure::Malformed, u"The picture %1 is cut short or too large."_s.arg(path));
    auto* first = reinterpret_cast<uchar*>(mapping->data()) + SnapshotBitmap::HeaderBytes;
    QImage picture(first, layout->pixels().width(), layout->pixels().height(),
                   qsizetype(layout->pixels().width()) * 4,
                   layout->alpha() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32,
                   &unmap, mapping.release());
    applyResolution(picture, layout->dotsPerMeter());
    return picture;
}

// Any other picture format, recognised by its content.
QImage decodedPicture(QIODevice& device, const QString& path)
{
    QImageReader reader(&device);
    reader.setAllocationLimit(int(MaxSnapshotPixels * 4 / (1024 * 1024)));
    QImage picture = reader.read();
    if (picture.isNull())
        throw Failure(Failure::Malformed,
                      u"The picture %1 could not be loaded: %2"_s.arg(path, reader.errorString()));
    applyResolution(picture, quint32(picture.dotsPerMeterX()));
    return picture;
}

SnapshotPicture bitmapPicture(const QImage& bitmap)
{
    return std::make_shared<const doc::VectorPicture>(doc::VectorPicture::fromBitmap(bitmap));
}

} // namespace

WrittenFile writeSnapshotFile(const QString& path, const doc::VectorPicture& picture)
{
    if (picture.bitmap().isNull())
        return placePrivateFile(path, {picture.header(), picture.body()}, Durability::Unsynced)
            .orRaise();
    const QImage words = storableWords(picture.bitmap());
    if (words.isNull() || qint64(words.width()) * words.height() > MaxSnapshotPixels)
        throw Failure(Failure::TooLarge, u"The picture is too large for a snapshot."_s);
    const SnapshotBitmap layout(
        words.size(), quint32(std::lround(DotsPerMeterAtRatioOne * words.devicePixelRatio())),
        words.hasAlphaChannel());
    // Replaced by a rename, so a link planted at the name is never written through.
    return placePrivateFile(
               path,
               {layout.header(), QByteArrayView(reinterpret_cast<const char*>(words.constBits()),
                                                words.sizeInBytes())},
               Durability::Unsynced)
        .orRaise();
}

SnapshotPicture loadSnapshot(const std::optional<WrittenFile>& written)
{
    if (!written)
        throw Failure(Failure::InvalidState, u"No picture was written in this run."_s);
    const QString& path = written->path;
    const OwnFile file(path);
    if (file.identity() != written->identity)
        throw Failure(Failure::NotOwnFile,
                      u"%1 is not the picture this run wrote; it is not shown."_s.arg(path));
    MappedFile mapping = FileMapping::map(file.descriptor()); // outlives the descriptor
    if (mapping) {
        if (SnapshotPicture vector = mappedVectorPicture(mapping))
            return vector;
        if (!mapping)
            throw Failure(Failure::Malformed, u"The picture %1 is damaged."_s.arg(path));
        const QImage picture = mappedPicture(mapping, path);
        if (!picture.isNull())
            return bitmapPicture(picture);
    }
    QFile opened;
    opened.open(file.handle(), QIODevice::ReadOnly, QFileDevice::DontCloseHandle);
    return bitmapPicture(decodedPicture(opened, path));
}

} // namespace quillory
