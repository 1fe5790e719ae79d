#pragma once

#include <QByteArrayView>
#include <QSize>

#include <array>
#include <optional>

namespace quillory {

/// The header of the snapshot's bitmap (BMP) layout: 32-bit pixels, the colour in the low three
/// bytes of each word and the fourth byte unused, top row first, rows without padding. Pixels
/// in QImage's 32-bit formats lie in memory exactly so, and follow the header unchanged.
class SnapshotBitmap {
public:
    /// Bytes before the first pixel.
    static constexpr int HeaderBytes = 14 + 40 + 12;

    /// A picture of the size (pixels, not empty) and resolution (dots per metre).
    SnapshotBitmap(QSize pixels, quint32 dotsPerMeter);
    /// The layout whose header the bytes begin with; nothing when they begin with any other.
    static std::optional<SnapshotBitmap> recognise(QByteArrayView bytes);

    /// The header's bytes.
    QByteArrayView header() const { return {m_header.data(), HeaderBytes}; }
    /// The picture's size in pixels.
    QSize pixels() const { return m_pixels; }
    /// The picture's resolution in dots per metre.
    quint32 dotsPerMeter() const { return m_dotsPerMeter; }
    /// Bytes of the whole file.
    qint64 fileBytes() const
    {
        return HeaderBytes + qint64(m_pixels.width()) * 4 * m_pixels.height();
    }

private:
    QSize m_pixels;
    quint32 m_dotsPerMeter;
    std::array<char, HeaderBytes> m_header{};
};

} // namespace quillory
