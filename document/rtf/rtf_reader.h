// SPDX-License-Identifier: MIT

#pragma once

#include "document/rtf/model.h"
#include "document/rtf/rtf_status.h"

#include <QByteArrayView>
#include <QString>

#include <optional>

namespace quillory::doc {

/// The largest RTF file the reader accepts: text positions are 32-bit.
inline constexpr qsizetype MaxRtfSize = qsizetype(2) << 30;

/// The outcome of reading RTF: the document, or why and where it was refused.
struct RtfReadResult {
    std::optional<Document> document; ///< the document read; nothing when it was refused
    RtfStatus status = RtfStatus::Ok; ///< what the reading found
    QString error;                    ///< the refusal in words; empty when read
    qsizetype offset = -1;            ///< the byte where the refusal was found; -1 when read
};

/// Reads RTF; never throws, never crashes, bounded time and memory on any input. It reads
/// everything writeRtf writes; of other RTF it keeps what the model holds and skips the rest.
/// It refuses input that is not RTF, is malformed (unbalanced groups, truncated escapes, numbers
/// beyond 32 bits or out of their range), nests groups more than 256 deep, is larger than
/// MaxRtfSize, or holds more runs, paragraphs and cells than one for every 16 bytes (and more
/// than about half a million).
RtfReadResult readRtf(QByteArrayView rtf);

} // namespace quillory::doc
