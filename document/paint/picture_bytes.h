// SPDX-License-Identifier: MIT

#pragma once

#include <QByteArray>
#include <QRectF>
#include <QStringView>
#include <QtEndian>

#include <cstring>
#include <optional>

namespace quillory::doc {

/// Appends little-endian numbers to a picture's bytes.
class PictureBytesWriter {
public:
    /// Appends to `bytes`.
    explicit PictureBytesWriter(QByteArray& bytes)
        : m_bytes(bytes)
    {
    }
    /// One number, little-endian.
    template <typename Number> void put(Number value)
    {
        char raw[sizeof(Number)];
        qToLittleEndian(value, raw);
        m_bytes.append(raw, sizeof raw);
    }
    /// A rectangle as four floats: left, top, width, height.
    void putRect(const QRectF& rect)
    {
        for (const qreal value : {rect.x(), rect.y(), rect.width(), rect.height()})
            put(float(value));
    }
    /// A text's UTF-16 units, each little-endian.
    void putUnits(QStringView text)
    {
        const qsizetype at = m_bytes.size();
        m_bytes.resize(at + 2 * text.size());
        qToLittleEndian<quint16>(text.utf16(), text.size(), m_bytes.data() + at);
    }
    /// Bytes as they are.
    void putRaw(const void* data, qsizetype size)
    {
        m_bytes.append(static_cast<const char*>(data), size);
    }

private:
    QByteArray& m_bytes;
};

/// Reads little-endian numbers from a picture's bytes, never past their end: a read past it
/// gives nothing and every later one too.
class PictureBytesReader {
public:
    /// Reads `size` bytes from `data`.
    PictureBytesReader(const char* data, qint64 size)
        : m_data(data)
        , m_size(size)
    {
    }
    /// The next number; nothing past the end.
    template <typename Number> std::optional<Number> get()
    {
        const char* raw = take(sizeof(Number));
        if (!raw)
            return std::nullopt;
        return qFromLittleEndian<Number>(raw);
    }
    /// The next rectangle of four floats; nothing past the end or where one is not finite.
    std::optional<QRectF> getRect()
    {
        float values[4];
        for (float& value : values) {
            const std::optional<float> read = get<float>();
            if (!read || !qIsFinite(*read))
                return std::nullopt;
            value = *read;
        }
        return QRectF(values[0], values[1], values[2], values[3]);
    }
    /// The next `size` bytes where they are; null past the end.
    const char* take(qint64 size)
    {
        if (!m_data || size < 0 || size > m_size - m_at) {
            m_data = nullptr;
            return nullptr;
        }
        const char* at = m_data + m_at;
        m_at += size;
        return at;
    }
    /// Whether every byte has been read (false after a read past the end).
    bool atEnd() const { return m_data && m_at == m_size; }
    /// Whether a read went past the end.
    bool failed() const { return !m_data; }

private:
    const char* m_data;
    qint64 m_size;
    qint64 m_at = 0;
};

} // namespace quillory::doc
