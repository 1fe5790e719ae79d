// SPDX-License-Identifier: MIT

#include "journal/journal_codec.h"

#include <QCryptographicHash>
#include <QtEndian>

#include <zlib.h>

#include <algorithm>

namespace quillory::journal {

namespace {

constexpr char Magic[] = "QUILLORY-JOURNAL";
constexpr quint32 FormatVersion = 1;
constexpr qsizetype FrameHeaderSize = 8;
// No record of ours comes near this; a length past it is damage, not a record to wait for.
constexpr quint32 LargestPayload = 1u << 30;

enum class RecordKind : quint8 { Snapshot = 1, Earlier, Step, Stored };

class Writer {
public:
    void byte(quint8 value) { m_bytes.append(char(value)); }
    void number(quint64 value)
    {
        while (value >= 0x80) {
            byte(quint8(value | 0x80));
            value >>= 7;
        }
        byte(quint8(value));
    }
    void signedNumber(qint64 value) { number((quint64(value) << 1) ^ quint64(value >> 63)); }
    void bytes(QByteArrayView value)
    {
        number(quint64(value.size()));
        m_bytes.append(value);
    }
    void text(const QString& value) { bytes(value.toUtf8()); }
    void entry(const HomeworkEntry& value)
    {
        text(value.Period);
        for (const QString& day : value.Days)
            text(day);
    }
    void entries(const QList<HomeworkEntry>& values)
    {
        number(quint64(values.size()));
        for (const HomeworkEntry& value : values)
            entry(value);
    }
    void fields(const WeekFields& value)
    {
        text(value.name);
        text(value.date);
    }
    void stored(const StoredWeek& value)
    {
        bytes(value.listDigest);
        fields(value.fields);
    }
    QByteArray take() { return std::move(m_bytes); }

private:
    QByteArray m_bytes;
};

// Reads what Writer wrote; any read past the end or out of form makes ok() false for good.
class Reader {
public:
    explicit Reader(QByteArrayView bytes)
        : m_bytes(bytes)
    {
    }

    bool ok() const { return m_ok; }
    bool atEnd() const { return m_at == m_bytes.size(); }

    quint8 byte()
    {
        if (m_at >= m_bytes.size())
            return fail(), 0;
        return quint8(m_bytes[m_at++]);
    }
    quint64 number()
    {
        quint64 value = 0;
        for (int shift = 0; shift < 64 && m_ok; shift += 7) {
            const quint8 part = byte();
            value |= quint64(part & 0x7f) << shift;
            if (!(part & 0x80))
                return value;
        }
        return fail(), 0;
    }
    qint64 signedNumber()
    {
        const quint64 value = number();
        return qint64(value >> 1) ^ -qint64(value & 1);
    }
    qint32 row()
    {
        const quint64 value = number();
        return value > quint64(std::numeric_limits<qint32>::max()) ? (fail(), 0) : qint32(value);
    }
    QByteArrayView bytes()
    {
        const quint64 size = number();
        if (!m_ok || size > quint64(m_bytes.size() - m_at))
            return fail(), QByteArrayView();
        const QByteArrayView value = m_bytes.sliced(m_at, qsizetype(size));
        m_at += qsizetype(size);
        return value;
    }
    QString text() { return QString::fromUtf8(bytes()); }
    HomeworkEntry entry()
    {
        HomeworkEntry value;
        value.Period = text();
        for (QString& day : value.Days)
            day = text();
        return value;
    }
    QList<HomeworkEntry> entries()
    {
        const quint64 count = number();
        // Every entry takes at least eight bytes: a count past that is no list.
        if (count > quint64(m_bytes.size() - m_at) / 8)
            return fail(), QList<HomeworkEntry>();
        QList<HomeworkEntry> values;
        values.reserve(qsizetype(count));
        for (quint64 i = 0; i < count && m_ok; ++i)
            values.append(entry());
        return values;
    }
    WeekFields fields()
    {
        WeekFields value;
        value.name = text();
        value.date = text();
        return value;
    }
    StoredWeek stored()
    {
        StoredWeek value;
        value.listDigest = bytes().toByteArray();
        value.fields = fields();
        return value;
    }

private:
    void fail() { m_ok = false; }

    QByteArrayView m_bytes;
    qsizetype m_at = 0;
    bool m_ok = true;
};

void writeOp(Writer& out, const ListOp& op)
{
    out.byte(quint8(op.kind));
    switch (op.kind) {
    case ListOp::Kind::Insert:
    case ListOp::Kind::Replace:
        out.number(quint64(op.row));
        out.entry(op.entry);
        break;
    case ListOp::Kind::Remove: out.number(quint64(op.row)); break;
    case ListOp::Kind::Move:
        out.number(quint64(op.row));
        out.number(quint64(op.to));
        break;
    case ListOp::Kind::ReplaceAll: out.entries(op.entries); break;
    case ListOp::Kind::EmptyDays: break;
    case ListOp::Kind::RestoreEarlier: out.number(op.earlierId); break;
    }
}

std::optional<ListOp> readOp(Reader& in)
{
    ListOp op;
    op.kind = ListOp::Kind(in.byte());
    switch (op.kind) {
    case ListOp::Kind::Insert:
    case ListOp::Kind::Replace:
        op.row = in.row();
        op.entry = in.entry();
        break;
    case ListOp::Kind::Remove: op.row = in.row(); break;
    case ListOp::Kind::Move:
        op.row = in.row();
        op.to = in.row();
        break;
    case ListOp::Kind::ReplaceAll: op.entries = in.entries(); break;
    case ListOp::Kind::EmptyDays: break;
    case ListOp::Kind::RestoreEarlier: op.earlierId = in.number(); break;
    default: return std::nullopt;
    }
    return op;
}

// Whole lists are written when a journal begins anew; compressed, they take a fraction.
QByteArray compressed(QByteArray body)
{
    return qCompress(body, 1);
}

std::optional<QByteArray> uncompressed(QByteArrayView body)
{
    // qUncompress trusts the size in the first four bytes; a size past our largest is damage.
    if (body.size() < 4 || qFromBigEndian<quint32>(body.data()) > LargestPayload)
        return std::nullopt;
    QByteArray plain = qUncompress(reinterpret_cast<const uchar*>(body.data()), body.size());
    if (plain.isEmpty() && qFromBigEndian<quint32>(body.data()) != 0)
        return std::nullopt;
    return plain;
}

QByteArray encodeBody(const Record& record)
{
    Writer out;
    if (const auto* snapshot = std::get_if<SnapshotRecord>(&record)) {
        out.entries(snapshot->entries);
        out.fields(snapshot->fields);
        out.stored(snapshot->stored);
        out.number(snapshot->nextEarlierId);
    } else if (const auto* earlier = std::get_if<EarlierRecord>(&record)) {
        out.number(earlier->list.id);
        out.text(earlier->list.replacedBy);
        out.signedNumber(earlier->list.replacedAtMs);
        out.entries(earlier->list.entries);
        out.fields(earlier->list.fields);
    } else if (const auto* step = std::get_if<StepRecord>(&record)) {
        out.number(quint64(step->ops.size()));
        for (const ListOp& op : step->ops)
            writeOp(out, op);
        out.fields(step->fields);
        out.text(step->replacedBy);
        out.signedNumber(step->replacedAtMs);
    } else {
        out.stored(std::get<StoredRecord>(record).stored);
    }
    return out.take();
}

std::optional<Record> decodeBody(RecordKind kind, Reader& in)
{
    switch (kind) {
    case RecordKind::Snapshot: {
        SnapshotRecord snapshot{in.entries(), in.fields(), in.stored(), 0};
        snapshot.nextEarlierId = in.number();
        return snapshot;
    }
    case RecordKind::Earlier: {
        EarlierRecord earlier;
        earlier.list.id = in.number();
        earlier.list.replacedBy = in.text();
        earlier.list.replacedAtMs = in.signedNumber();
        earlier.list.entries = in.entries();
        earlier.list.fields = in.fields();
        return earlier;
    }
    case RecordKind::Step: {
        StepRecord step;
        const quint64 count = in.number();
        for (quint64 i = 0; i < count && in.ok(); ++i) {
            const std::optional<ListOp> op = readOp(in);
            if (!op)
                return std::nullopt;
            step.ops.append(*op);
        }
        step.fields = in.fields();
        step.replacedBy = in.text();
        step.replacedAtMs = in.signedNumber();
        return step;
    }
    case RecordKind::Stored: return StoredRecord{in.stored()};
    }
    return std::nullopt;
}

RecordKind kindOf(const Record& record)
{
    return std::visit(
        [](const auto& held) {
            using Held = std::decay_t<decltype(held)>;
            if constexpr (std::is_same_v<Held, SnapshotRecord>)
                return RecordKind::Snapshot;
            else if constexpr (std::is_same_v<Held, EarlierRecord>)
                return RecordKind::Earlier;
            else if constexpr (std::is_same_v<Held, StepRecord>)
                return RecordKind::Step;
            else
                return RecordKind::Stored;
        },
        record);
}

bool holdsWholeList(RecordKind kind)
{
    return kind == RecordKind::Snapshot || kind == RecordKind::Earlier;
}

bool onlyZeros(QByteArrayView bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return c == 0; });
}

// The bytes a text takes in UTF-8 with its length before it (one byte for short texts).
qint64 encodedSize(const QString& text)
{
    qint64 size = 1;
    for (const QChar c : text)
        size += c.unicode() < 0x80 ? 1 : c.unicode() < 0x800 || c.isSurrogate() ? 2 : 3;
    return size;
}

quint32 checksum(QByteArrayView lengthBytes, QByteArrayView payload)
{
    uLong crc = crc32(0L, Z_NULL, 0);
    crc = crc32(crc, reinterpret_cast<const Bytef*>(lengthBytes.data()), uInt(lengthBytes.size()));
    // zlib takes at most 4 GiB at a time; payloads stay far below.
    crc = crc32(crc, reinterpret_cast<const Bytef*>(payload.data()), uInt(payload.size()));
    return quint32(crc);
}

} // namespace

QByteArray fileHeader()
{
    QByteArray header(Magic);
    char version[4];
    qToLittleEndian(FormatVersion, version);
    header.append(version, sizeof version);
    return header;
}

QByteArray encodePayload(const Record& record)
{
    const RecordKind kind = kindOf(record);
    QByteArray body = encodeBody(record);
    QByteArray payload(1, char(kind));
    payload.append(holdsWholeList(kind) ? compressed(std::move(body)) : body);
    return payload;
}

std::optional<Record> decodePayload(QByteArrayView payload)
{
    if (payload.isEmpty())
        return std::nullopt;
    const auto kind = RecordKind(quint8(payload[0]));
    if (kind < RecordKind::Snapshot || kind > RecordKind::Stored)
        return std::nullopt;
    QByteArray plain;
    QByteArrayView body = payload.sliced(1);
    if (holdsWholeList(kind)) {
        std::optional<QByteArray> expanded = uncompressed(body);
        if (!expanded)
            return std::nullopt;
        plain = std::move(*expanded);
        body = plain;
    }
    Reader in(body);
    std::optional<Record> record = decodeBody(kind, in);
    if (!in.ok() || !in.atEnd())
        return std::nullopt;
    return record;
}

QByteArray frame(const QByteArray& payload)
{
    QByteArray framed(FrameHeaderSize, Qt::Uninitialized);
    qToLittleEndian(quint32(payload.size()), framed.data());
    qToLittleEndian(checksum(QByteArrayView(framed.constData(), 4), payload), framed.data() + 4);
    framed.append(payload);
    return framed;
}

ReadOutcome readRecords(QByteArrayView bytes)
{
    ReadOutcome outcome;
    const QByteArray header = fileHeader();
    if (!bytes.startsWith(header)) {
        // A header cut short is what a kill leaves while the first bytes are written.
        const bool cutShort = bytes.size() < header.size() && header.startsWith(bytes);
        outcome.status = cutShort ? ReadStatus::TornTail : ReadStatus::Foreign;
        return outcome;
    }
    qsizetype at = header.size();
    while (at < bytes.size()) {
        const qsizetype left = bytes.size() - at;
        const quint32 length =
            left >= FrameHeaderSize ? qFromLittleEndian<quint32>(bytes.data() + at) : 0;
        const bool whole = left >= FrameHeaderSize && length <= LargestPayload &&
                           qsizetype(length) <= left - FrameHeaderSize;
        const QByteArrayView payload =
            whole ? bytes.sliced(at + FrameHeaderSize, length) : QByteArrayView();
        const bool sound = whole && qFromLittleEndian<quint32>(bytes.data() + at + 4) ==
                                        checksum(bytes.sliced(at, 4), payload);
        std::optional<Record> record = sound ? decodePayload(payload) : std::nullopt;
        if (!record) {
            // A power cut can leave the file longer than its last write, filled with zeros.
            const bool last = !whole || at + FrameHeaderSize + qsizetype(length) == bytes.size() ||
                              onlyZeros(bytes.sliced(at));
            outcome.status = last && !sound ? ReadStatus::TornTail : ReadStatus::Damaged;
            return outcome;
        }
        outcome.records.append(std::move(*record));
        at += FrameHeaderSize + length;
    }
    return outcome;
}

QByteArray listDigest(const QList<HomeworkEntry>& entries)
{
    Writer out;
    out.entries(entries);
    return QCryptographicHash::hash(out.take(), QCryptographicHash::Sha256);
}

qint64 entrySize(const HomeworkEntry& entry)
{
    qint64 size = encodedSize(entry.Period);
    for (const QString& day : entry.Days)
        size += encodedSize(day);
    return size;
}

qint64 listSize(const QList<HomeworkEntry>& entries)
{
    qint64 size = 0;
    for (const HomeworkEntry& entry : entries)
        size += entrySize(entry);
    return size;
}

} // namespace quillory::journal
