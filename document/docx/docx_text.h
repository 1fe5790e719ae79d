// SPDX-License-Identifier: MIT

#pragma once

#include "document/rtf/model.h"

#include <QByteArray>
#include <QLatin1StringView>
#include <QRgb>
#include <QStringView>

#include <algorithm>
#include <vector>

// Texts and numbers as WordprocessingML holds them: escaped XML characters, a run's tabs and
// line breaks as elements of their own, its pieces by script (so each complex script gets its
// own face), lengths, values and colours.
namespace quillory::doc::docx {

/// A stretch of a run's text whose complex-script characters (Arabic, Hebrew, the Indic scripts,
/// Thai…) all belong to one script.
struct ScriptPiece {
    QStringView text;
    /// The face that draws its complex script, and the language it is written in; empty when it
    /// holds no complex-script character or none we have a face for.
    QLatin1StringView face;
    QLatin1StringView language;
};

/// Splits a run's text where its complex script changes (a text without one is one piece); the
/// other characters go with the complex script before them, or the first one after them.
std::vector<ScriptPiece> scriptPieces(QStringView text);

/// Appends the run content of the text: <w:t> elements of escaped UTF-8 with its blanks kept,
/// <w:tab/> for tabs, <w:br/> for each line break (LF, CR, CR LF, VT, U+2028). Other control
/// characters, which XML cannot hold, are left out; a lone surrogate and the non-characters
/// U+FFFE and U+FFFF become U+FFFD, so the reader shows a sign where they stood. `afterCr` says
/// whether the text before this one ended in CR (a CR LF split across pieces is one break); it
/// is updated.
void appendRunContent(QByteArray& out, QStringView text, bool& afterCr);

/// Appends text escaped for an XML attribute value or element (&, <, > and "), with the
/// characters XML cannot hold left out or replaced as appendRunContent does.
void appendEscaped(QByteArray& out, QStringView text);

/// A length within the model's range, as every length is written.
inline int clampLength(int twips)
{
    return std::clamp(twips, 0, MaxLength);
}

/// Appends a number in decimal digits.
void appendNumber(QByteArray& out, qint64 value);

/// Appends an element with one value: <w:name w:val="value"/>.
void appendValue(QByteArray& out, const char* name, qint64 value);

/// Appends a colour as six hexadecimal digits, red first (its alpha is no part of it).
void appendHex(QByteArray& out, QRgb color);

} // namespace quillory::doc::docx
