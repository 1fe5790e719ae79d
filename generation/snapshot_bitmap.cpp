// SPDX-License-Identifier: MIT

#include "generation/snapshot_bitmap.h"

#include <QtEndian>

#include <algorithm>

namespace quillory {

namespace {

// A version 4 information header: the only one before version 5 with an alpha mask.
constexpr int InfoHeaderBytes = 108;
constexpr quint32 StandardRgbSpace = 0x73524742; // 'sRGB'
constexpr quint32 AlphaMask = 0xff000000;
constexpr quint32 BitFieldsCompression = 3;
// Offsets of the fields that differ between pictures.
constexpr int WidthAt = 18;
constexpr int HeightAt = 22;
constexpr int ResolutionAt = 38;
constexpr int AlphaMaskAt = 66;
constexpr qint64 MaxPixels = (qint64(1) << 30) - SnapshotBitmap::HeaderBytes;

quint32 read32(QByteArrayView bytes, int offset)
{
    return qFromLittleEndian<quint32>(bytes.data() + offset);
}

} // namespace

SnapshotBitmap::SnapshotBitmap(QSize pixels, quint32 dotsPerMeter, bool alpha)
    : m_pixels(pixels)
    , m_dotsPerMeter(dotsPerMeter)
    , m_alpha(alpha)
{
    uchar* at = reinterpret_cast<uchar*>(m_header.data());
    const auto put16 = [&](int offset, quint16 value) { qToLittleEndian(value, at + offset); };
    const auto put32 = [&](int offset, quint32 value) { qToLittleEndian(value, at + offset); };
    const auto pixelBytes = quint32(fileBytes() - HeaderBytes);
    at[0] = 'B';
    at[1] = 'M';
    put32(2, quint32(fileBytes()));
    put32(10, HeaderBytes);
    put32(14, InfoHeaderBytes);
    put32(WidthAt, quint32(pixels.width()));
    put32(HeightAt, quint32(-pixels.height())); // a negative height puts the top row first
    put16(26, 1);                               // one plane
    put16(28, 32);                              // bits per pixel
    put32(30, BitFieldsCompression);            // the masks below say where the colours are
    put32(34, pixelBytes);
    put32(ResolutionAt, dotsPerMeter);
    put32(ResolutionAt + 4, dotsPerMeter);
    put32(54, 0x00ff0000);
    put32(58, 0x0000ff00);
    put32(62, 0x000000ff);
    put32(AlphaMaskAt, alpha ? AlphaMask : 0);
    put32(70, StandardRgbSpace); // the end points and gammas that follow are unused then
}

std::optional<SnapshotBitmap> SnapshotBitmap::recognise(QByteArrayView bytes)
{
    if (bytes.size() < HeaderBytes)
        return std::nullopt;
    const auto width = qint32(read32(bytes, WidthAt));
    const auto height = -qint32(read32(bytes, HeightAt));
    // Sides beyond what the header's 32-bit byte counts can describe are not this layout.
    if (width <= 0 || height <= 0 || qint64(width) * height > MaxPixels)
        return std::nullopt;
    const SnapshotBitmap layout(QSize(width, height), read32(bytes, ResolutionAt),
                                read32(bytes, AlphaMaskAt) == AlphaMask);
    // Every other byte of the header must be what this layout writes.
    if (!std::equal(bytes.begin(), bytes.begin() + HeaderBytes, layout.m_header.begin()))
        return std::nullopt;
    return layout;
}

} // namespace quillory
