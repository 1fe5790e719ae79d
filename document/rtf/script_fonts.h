// SPDX-License-Identifier: MIT

#pragma once

#include <QStringView>

#include <vector>

// The faces a word processor is told to draw scripts in that the schedule's own fonts lack, so
// that it picks the faces this program draws them in rather than whatever its fallback finds.
namespace quillory::doc::rtf {

/// A face for the characters of some scripts, as an RTF font table names it.
struct ScriptFont {
    const char16_t* family; ///< the face's family name
    int charset;            ///< the Windows character set of its font table entry
};

/// A stretch of text and the associated faces it needs: one for a complex script (Arabic,
/// Hebrew, Thai, the scripts of India and South-East Asia) and one for East Asian ideographs and
/// syllables; none where the text has no such characters.
struct ScriptPiece {
    QStringView text;
    const ScriptFont* complex = nullptr;   ///< none where the text has no complex script
    const ScriptFont* eastAsian = nullptr; ///< none where the text has no East Asian script
};

/// The text cut where the complex script's face changes, each piece with the faces it needs.
/// Characters of no script of their own (spaces, digits, punctuation) stay with the piece they
/// are in.
std::vector<ScriptPiece> scriptPieces(QStringView text);

} // namespace quillory::doc::rtf
