// SPDX-License-Identifier: MIT

#include "document/docx/docx_text.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <utility>

namespace quillory::doc::docx {

using namespace Qt::StringLiterals;

namespace {

// A block of a complex script, the face our layout draws it with (where the schedule's faces lack
// it, fontconfig's choice among the faces we depend on) and the language it is taken for.
struct ComplexScript {
    char32_t first;
    char32_t last;
    QLatin1StringView face;
    QLatin1StringView language;
};

// Hebrew and Arabic come with DejaVu Sans, the Indic scripts, Thai, Lao, Myanmar and Khmer
// with Noto's UI faces.
constexpr auto Arabic = "DejaVu Sans"_L1;
constexpr auto Hebrew = "DejaVu Sans"_L1;

constexpr ComplexScript ComplexScripts[] = {
    {0x0590, 0x05FF, Hebrew, "he-IL"_L1},
    {0x0600, 0x06FF, Arabic, "ar-SA"_L1},
    {0x0750, 0x077F, Arabic, "ar-SA"_L1},
    {0x08A0, 0x08FF, Arabic, "ar-SA"_L1},
    {0x0900, 0x097F, "Noto Sans Devanagari UI"_L1, "hi-IN"_L1},
    {0x0980, 0x09FF, "Noto Sans Bengali UI"_L1, "bn-IN"_L1},
    {0x0A00, 0x0A7F, "Noto Sans Gurmukhi UI"_L1, "pa-IN"_L1},
    {0x0A80, 0x0AFF, "Noto Sans Gujarati UI"_L1, "gu-IN"_L1},
    {0x0B00, 0x0B7F, "Noto Sans Oriya UI"_L1, "or-IN"_L1},
    {0x0B80, 0x0BFF, "Noto Sans Tamil UI"_L1, "ta-IN"_L1},
    {0x0C00, 0x0C7F, "Noto Sans Telugu UI"_L1, "te-IN"_L1},
    {0x0C80, 0x0CFF, "Noto Sans Kannada UI"_L1, "kn-IN"_L1},
    {0x0D00, 0x0D7F, "Noto Sans Malayalam UI"_L1, "ml-IN"_L1},
    {0x0D80, 0x0DFF, "Noto Sans Sinhala UI"_L1, "si-LK"_L1},
    {0x0E00, 0x0E7F, "Noto Sans Thai UI"_L1, "th-TH"_L1},
    {0x0E80, 0x0EFF, "Noto Sans Lao UI"_L1, "lo-LA"_L1},
    {0x1000, 0x109F, "Noto Sans Myanmar UI"_L1, "my-MM"_L1},
    {0x1780, 0x17FF, "Noto Sans Khmer UI"_L1, "km-KH"_L1},
    {0xFB1D, 0xFB4F, Hebrew, "he-IL"_L1},
    {0xFB50, 0xFDFF, Arabic, "ar-SA"_L1},
    {0xFE70, 0xFEFE, Arabic, "ar-SA"_L1},
};

// The complex script of a UTF-16 unit; none for everything else (surrogates included: no
// complex script lies beyond the Basic Multilingual Plane).
const ComplexScript* complexScriptOf(char16_t unit)
{
    if (unit < ComplexScripts[0].first)
        return nullptr; // ASCII, Latin, Greek, Cyrillic: most text never searches the table
    const auto after = std::upper_bound(
        std::begin(ComplexScripts), std::end(ComplexScripts), unit,
        [](char16_t value, const ComplexScript& script) { return value < script.first; });
    if (after == std::begin(ComplexScripts) || unit > std::prev(after)->last)
        return nullptr;
    return &*std::prev(after);
}

bool isLineBreak(char16_t unit)
{
    return unit == u'\n' || unit == u'\r' || unit == u'\v' || unit == 0x2028;
}

// Appends one UTF-16 unit (or the pair at `at`, advancing it) as UTF-8, escaped; leaves out
// what XML cannot hold and replaces what it cannot name.
void appendCharacter(QByteArray& out, QStringView text, qsizetype& at)
{
    char32_t code = text[at].unicode();
    if (QChar::isSurrogate(code)) {
        if (QChar::isHighSurrogate(code) && at + 1 < text.size() && text[at + 1].isLowSurrogate()) {
            code = QChar::surrogateToUcs4(text[at], text[at + 1]);
            ++at;
        } else {
            code = QChar::ReplacementCharacter;
        }
    }
    switch (code) {
    case u'&': out.append("&amp;"); return;
    case u'<': out.append("&lt;"); return;
    case u'>': out.append("&gt;"); return;
    case u'"': out.append("&quot;"); return;
    case 0xFFFE:
    case 0xFFFF: code = QChar::ReplacementCharacter; break;
    default: break;
    }
    if (code < 0x20)
        return; // control characters are not text; XML cannot hold them
    if (code < 0x80) {
        out.append(char(code));
    } else if (code < 0x800) {
        out.append(char(0xC0 | (code >> 6)));
        out.append(char(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
        out.append(char(0xE0 | (code >> 12)));
        out.append(char(0x80 | ((code >> 6) & 0x3F)));
        out.append(char(0x80 | (code & 0x3F)));
    } else {
        out.append(char(0xF0 | (code >> 18)));
        out.append(char(0x80 | ((code >> 12) & 0x3F)));
        out.append(char(0x80 | ((code >> 6) & 0x3F)));
        out.append(char(0x80 | (code & 0x3F)));
    }
}

} // namespace

std::vector<ScriptPiece> scriptPieces(QStringView text)
{
    std::vector<ScriptPiece> pieces;
    const ComplexScript* current = nullptr;
    qsizetype start = 0;
    const auto piece = [&](qsizetype end) {
        pieces.push_back({text.sliced(start, end - start), current ? current->face : ""_L1,
                          current ? current->language : ""_L1});
        start = end;
    };
    for (qsizetype at = 0; at < text.size(); ++at) {
        const ComplexScript* script = complexScriptOf(text[at].unicode());
        if (!script || script == current ||
            (current && script->face == current->face && script->language == current->language))
            continue;
        if (current)
            piece(at);
        current = script;
    }
    piece(text.size());
    return pieces;
}

void appendRunContent(QByteArray& out, QStringView text, bool& afterCr)
{
    bool inText = false;
    const auto closeText = [&] {
        if (std::exchange(inText, false))
            out.append("</w:t>");
    };
    for (qsizetype at = 0; at < text.size(); ++at) {
        const char16_t unit = text[at].unicode();
        const bool crLf = unit == u'\n' && afterCr;
        afterCr = unit == u'\r';
        if (unit == u'\t') {
            closeText();
            out.append("<w:tab/>");
        } else if (isLineBreak(unit)) {
            closeText();
            if (!crLf) // CR LF is one break
                out.append("<w:br/>");
        } else if (unit >= 0x20) {
            if (!std::exchange(inText, true))
                out.append("<w:t xml:space=\"preserve\">");
            appendCharacter(out, text, at);
        }
    }
    closeText();
}

void appendEscaped(QByteArray& out, QStringView text)
{
    for (qsizetype at = 0; at < text.size(); ++at)
        appendCharacter(out, text, at);
}

void appendNumber(QByteArray& out, qint64 value)
{
    char digits[24];
    out.append(digits, std::to_chars(std::begin(digits), std::end(digits), value).ptr - digits);
}

void appendValue(QByteArray& out, const char* name, qint64 value)
{
    out.append("<w:").append(name).append(" w:val=\"");
    appendNumber(out, value);
    out.append("\"/>");
}

void appendHex(QByteArray& out, QRgb color)
{
    static constexpr char Digits[] = "0123456789ABCDEF";
    for (int shift = 20; shift >= 0; shift -= 4)
        out.append(Digits[(color >> shift) & 0xF]);
}

} // namespace quillory::doc::docx
