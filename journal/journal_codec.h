// SPDX-License-Identifier: MIT

#pragma once

#include "journal/journal_records.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

#include <optional>

namespace quillory::journal {

/// The bytes every journal file begins with: a mark of its own and the format's version.
QByteArray fileHeader();

/// A record's payload: its kind and its fields, texts in UTF-8. Whole lists are compressed.
QByteArray encodePayload(const Record& record);

/// The record a payload holds; nothing when the payload is no well-formed record.
std::optional<Record> decodePayload(QByteArrayView payload);

/// A payload framed for the file: its length and a CRC-32 of length and payload (both 32-bit,
/// little-endian), then the payload.
QByteArray frame(const QByteArray& payload);

/// How far a journal file could be read.
enum class ReadStatus {
    Whole,    ///< every record whole
    TornTail, ///< whole records, then the start of one a write left unfinished
    Damaged,  ///< a record that fails its checksum or its form, with more bytes after it
    Foreign,  ///< not a journal of ours: the header is missing or another
};

/// The records of a journal file and how its reading ended.
struct ReadOutcome {
    QList<Record> records;
    ReadStatus status = ReadStatus::Whole;
};

/// Reads the records of a journal file's bytes. A final record cut short or failing its
/// checksum is the trace of a write broken off, not damage.
ReadOutcome readRecords(QByteArrayView bytes);

/// A digest of a list's texts and order, to recognise a stored list without keeping it.
QByteArray listDigest(const QList<HomeworkEntry>& entries);

/// The bytes a list takes in a record before compression: what the journal's room is measured
/// in.
qint64 listSize(const QList<HomeworkEntry>& entries);

/// The bytes one row takes in a record, as listSize counts them.
qint64 entrySize(const HomeworkEntry& entry);

} // namespace quillory::journal
