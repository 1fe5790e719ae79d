#include "app/snapshot_file.h"

#include "base/failure.h"
#include "base/file_system.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <QtEndian>

#include <array>
#include <cmath>

namespace quillory {

using namespace Qt::StringLiterals;

namespace {

// A picture's resolution says its device pixel ratio: 96 dots per inch is a ratio of 1.
constexpr double DotsPerMeterAtRatioOne = 96.0 / 0.0254;

// File header (14 bytes), information header (40) and the three colour masks (12) of a
// bitmap whose pixels are 32-bit words 0x..RRGGBB with the alpha byte left unused.
constexpr int FileHeaderBytes = 14;
constexpr int InfoHeaderBytes = 40;
constexpr int HeaderBytes = FileHeaderBytes + InfoHeaderBytes + 12;
constexpr quint32 BitFieldsCompression = 3;
using BitmapHeader = std::array<char, HeaderBytes>;

bool opaque(const QImage& picture)
{
    for (int y = 0; y < picture.height(); ++y) {
        const auto* pixel = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        for (const QRgb* end = pixel + picture.width(); pixel != end; ++pixel) {
            if (qAlpha(*pixel) != 255)
                return false;
        }
    }
    return true;
}

// The picture as 32-bit words whose low three bytes are the colour, without a copy where it
// already is one: opaque pictures of the 32-bit formats lie in memory exactly so.
QImage opaqueWords(const QImage& picture)
{
    const QImage::Format format = picture.format();
    if (format == QImage::Format_RGB32)
        return picture;
    const bool words =
        format == QImage::Format_ARGB32 || format == QImage::Format_ARGB32_Premultiplied;
    if (words && opaque(picture))
        return picture;
    if (!picture.hasAlphaChannel())
        return picture.convertToFormat(QImage::Format_RGB32);
    QImage flat(picture.size(), QImage::Format_RGB32);
    if (flat.isNull())
        throw Failure(u"There is not enough memory for the picture."_s);
    flat.setDevicePixelRatio(picture.devicePixelRatio());
    flat.fill(Qt::white);
    QPainter(&flat).drawImage(0, 0, picture);
    return flat;
}

BitmapHeader bitmapHeader(const QImage& words)
{
    BitmapHeader header{};
    uchar* at = reinterpret_cast<uchar*>(header.data());
    const auto put16 = [&](int offset, quint16 value) { qToLittleEndian(value, at + offset); };
    const auto put32 = [&](int offset, quint32 value) { qToLittleEndian(value, at + offset); };
    const auto pixelBytes = quint32(words.sizeInBytes());
    const auto dotsPerMeter =
        quint32(std::lround(DotsPerMeterAtRatioOne * words.devicePixelRatio()));
    at[0] = 'B';
    at[1] = 'M';
    put32(2, HeaderBytes + pixelBytes);
    put32(10, HeaderBytes);
    put32(14, InfoHeaderBytes);
    put32(18, quint32(words.width()));
    put32(22, quint32(-words.height())); // a negative height puts the top row first
    put16(26, 1);
    put16(28, 32);
    put32(30, BitFieldsCompression);
    put32(34, pixelBytes);
    put32(38, dotsPerMeter);
    put32(42, dotsPerMeter);
    put32(54, 0x00ff0000);
    put32(58, 0x0000ff00);
    put32(62, 0x000000ff);
    return header;
}

void applyResolution(QImage& picture)
{
    // Screens' ratios come in quarter steps, and the resolution, in whole dots per metre, is
    // not exact; a ratio below 1 (a large picture kept at a lower resolution) is taken as read.
    const double read = picture.dotsPerMeterX() / DotsPerMeterAtRatioOne;
    const double ratio = read >= 1 ? std::round(read * 4) / 4 : read;
    if (ratio > 0 && ratio != 1)
        picture.setDevicePixelRatio(ratio);
}

} // namespace

void writeSnapshotFile(const QString& path, const QImage& picture)
{
    const QImage words = opaqueWords(picture);
    if (words.isNull() || words.sizeInBytes() > MaxSnapshotPixels * 4)
        throw Failure(u"The picture is too large for a snapshot."_s);
    const BitmapHeader header = bitmapHeader(words);
    // A 32-bit row needs no padding, so the rows lie in memory exactly as the file holds them.
    ReplaceFileAtomically(
        path,
        {QByteArrayView(header.data(), HeaderBytes),
         QByteArrayView(reinterpret_cast<const char*>(words.constBits()), words.sizeInBytes())},
        Durability::Unsynced);
}

QImage loadSnapshot(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Failure(u"The picture %1 could not be loaded: %2"_s.arg(path, file.errorString()));
    // Read through a mapping of the file: the pixels are copied once, straight into the picture.
    const qint64 size = file.size();
    uchar* mapped = size > 0 ? file.map(0, size) : nullptr;
    QBuffer buffer;
    QIODevice* device = &file;
    if (mapped) {
        buffer.setData(QByteArray::fromRawData(reinterpret_cast<const char*>(mapped), size));
        buffer.open(QIODevice::ReadOnly);
        device = &buffer;
    }
    QImageReader reader(device); // recognises the format by the content
    reader.setAllocationLimit(int(MaxSnapshotPixels * 4 / (1024 * 1024)));
    QImage picture = reader.read();
    if (picture.isNull())
        throw Failure(u"The picture %1 could not be loaded: %2"_s.arg(path, reader.errorString()));
    applyResolution(picture);
    return picture;
}

} // namespace quillory
