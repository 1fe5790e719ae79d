// SPDX-License-Identifier: MIT

#pragma once

#include <QByteArrayView>
#include <QSize>

#include <array>
#include <optional>

namespace quillory {

/// The header of the snapshot's bitmap (BMP) layout: 32-bit words 0xAARRGGBB, top row first,
/// rows without padding, exactly as QImage keeps its 32-bit formats in memory, so the pixels
/// follow the header unchanged. Opaque pictures leave the alpha byte unused; in pictures with
/// alpha the colours are premultiplied by it, as in memory (bitmap readers other than ours see
/// translucent pixels darker).
class SnapshotBitmap {
public:
    /// Bytes before the first pixel.
    static constexpr int HeaderBytes = 14 + 108;

    /// A picture of the size (pixels, not empty) and resolution (dots per metre), with or
    /// without alpha.
    SnapshotBitmap(QSize pixels, quint32 dotsPerMeter, bool alpha);
    /// The layout whose header the bytes begin with; nothing when they begin with any other.
    static std::optional<SnapshotBitmap> recognise(QByteArrayView bytes);

    /// The header's bytes.
    QByteArrayView header() const { return {m_header.data(), HeaderBytes}; }
    /// The picture's size in pixels.
    QSize pixels() const { return m_pixels; }
    /// The picture's resolution in dots per metre.
    quint32 dotsPerMeter() const { return m_dotsPerMeter; }
    /// Whether the fourth byte is (premultiplied) alpha.
    bool alpha() const { return m_alpha; }
    /// Bytes of the whole file.
    qint64 fileBytes() const
    {
        return HeaderBytes + qint64(m_pixels.width()) * 4 * m_pixels.height();
    }

private:
    QSize m_pixels;
    quint32 m_dotsPerMeter;
    bool m_alpha;
    std::array<char, HeaderBytes> m_header{};
};

} // namespace quillory
