// SPDX-License-Identifier: MIT

#include "document/rtf/script_fonts.h"

#include <QChar>

namespace quillory::doc::rtf {

namespace {

// The faces the layout draws these scripts in: DejaVu Sans (which fontconfig brings), the Noto
// UI faces and WenQuanYi Micro Hei. DejaVu Sans serves several scripts, so its entry names no
// character set of its own (1, "the default").
constexpr ScriptFont DejaVu{u"DejaVu Sans", 1};
constexpr ScriptFont Thai{u"Noto Sans Thai UI", 222};
constexpr ScriptFont Khmer{u"Noto Sans Khmer UI", 1};
constexpr ScriptFont Myanmar{u"Noto Sans Myanmar UI", 1};
constexpr ScriptFont Devanagari{u"Noto Sans Devanagari UI", 1};
constexpr ScriptFont Bengali{u"Noto Sans Bengali UI", 1};
constexpr ScriptFont Gurmukhi{u"Noto Sans Gurmukhi UI", 1};
constexpr ScriptFont Gujarati{u"Noto Sans Gujarati UI", 1};
constexpr ScriptFont Oriya{u"Noto Sans Oriya UI", 1};
constexpr ScriptFont Tamil{u"Noto Sans Tamil UI", 1};
constexpr ScriptFont Telugu{u"Noto Sans Telugu UI", 1};
constexpr ScriptFont Kannada{u"Noto Sans Kannada UI", 1};
constexpr ScriptFont Malayalam{u"Noto Sans Malayalam UI", 1};
constexpr ScriptFont Sinhala{u"Noto Sans Sinhala UI", 1};
constexpr ScriptFont EastAsian{u"WenQuanYi Micro Hei", 134};

const ScriptFont* complexFont(QChar::Script script)
{
    switch (script) {
    case QChar::Script_Arabic:
    case QChar::Script_Hebrew:
    case QChar::Script_Lao: return &DejaVu;
    case QChar::Script_Thai: return &Thai;
    case QChar::Script_Khmer: return &Khmer;
    case QChar::Script_Myanmar: return &Myanmar;
    case QChar::Script_Devanagari: return &Devanagari;
    case QChar::Script_Bengali: return &Bengali;
    case QChar::Script_Gurmukhi: return &Gurmukhi;
    case QChar::Script_Gujarati: return &Gujarati;
    case QChar::Script_Oriya: return &Oriya;
    case QChar::Script_Tamil: return &Tamil;
    case QChar::Script_Telugu: return &Telugu;
    case QChar::Script_Kannada: return &Kannada;
    case QChar::Script_Malayalam: return &Malayalam;
    case QChar::Script_Sinhala: return &Sinhala;
    default: return nullptr;
    }
}

bool isEastAsian(QChar::Script script)
{
    return script == QChar::Script_Han || script == QChar::Script_Hiragana ||
           script == QChar::Script_Katakana || script == QChar::Script_Hangul ||
           script == QChar::Script_Bopomofo;
}

} // namespace

std::vector<ScriptPiece> scriptPieces(QStringView text)
{
    std::vector<ScriptPiece> pieces;
    ScriptPiece piece{text.first(0)};
    qsizetype start = 0;
    for (qsizetype at = 0; at < text.size();) {
        char32_t character = text[at].unicode();
        qsizetype length = 1;
        if (QChar::isHighSurrogate(character) && at + 1 < text.size() &&
            text[at + 1].isLowSurrogate()) {
            character = QChar::surrogateToUcs4(text[at], text[at + 1]);
            length = 2;
        }
        // Nothing before the first complex script: ASCII and Latin need no second face.
        const QChar::Script script =
            character < 0x0590 ? QChar::Script_Common : QChar::script(character);
        const ScriptFont* complex = complexFont(script);
        if (complex && piece.complex && complex != piece.complex) {
            piece.text = text.sliced(start, at - start);
            pieces.push_back(piece);
            piece = {};
            start = at;
        }
        if (complex)
            piece.complex = complex;
        if (isEastAsian(script))
            piece.eastAsian = &EastAsian;
        at += length;
    }
    piece.text = text.sliced(start);
    pieces.push_back(piece);
    return pieces;
}

} // namespace quillory::doc::rtf
