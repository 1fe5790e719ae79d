// SPDX-License-Identifier: MIT

#pragma once

#include "document/rtf/model.h"

#include <QByteArray>
#include <QByteArrayView>

namespace quillory::doc {

/// Where written RTF goes (pugixml-style sink): tests collect text, the program writes files.
class RtfSink {
public:
    virtual ~RtfSink() = default;
    /// Takes the next piece of the document.
    virtual void write(QByteArrayView bytes) = 0;
};

/// Writes the whole document as RTF. Text is escaped so that no text can change the document's
/// structure; lengths and sizes beyond the model's ranges are written clamped to them, tab stops
/// beyond MaxTabStops are left out, font names are cut to MaxFontNameLength, a table without rows
/// and a row without cells are not written, and a cell without paragraphs is written with one empty
/// paragraph.
void writeRtf(const Document& document, RtfSink& sink);

/// The whole document as RTF bytes.
QByteArray toRtf(const Document& document);

} // namespace quillory::doc
