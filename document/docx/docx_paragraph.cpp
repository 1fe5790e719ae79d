// SPDX-License-Identifier: MIT

#include "document/docx/docx_paragraph.h"

#include "document/docx/docx_text.h"

#include <algorithm>

namespace quillory::doc::docx {

namespace {

void appendColor(QByteArray& out, const std::optional<QRgb>& color)
{
    out.append("<w:color w:val=\"");
    if (color)
        appendHex(out, *color);
    else
        out.append("auto");
    out.append("\"/>");
}

void appendFace(QByteArray& out, const char* attribute, QStringView face)
{
    out.append(' ').append(attribute).append("=\"");
    appendEscaped(out, face.left(MaxFontNameLength));
    out.append('"');
}

int halfPoints(const CharFormat& format)
{
    return std::clamp(format.halfPoints, 1, MaxHalfPoints);
}

void appendBold(QByteArray& out, bool bold)
{
    out.append(bold ? "<w:b/><w:bCs/>" : "<w:b w:val=\"0\"/><w:bCs w:val=\"0\"/>");
}

void appendSize(QByteArray& out, const CharFormat& format)
{
    appendValue(out, "sz", halfPoints(format));
    appendValue(out, "szCs", halfPoints(format));
}

// The run properties that make `format` out of `base`, nothing when they are alike, with the
// face and language of a complex script when there is one.
void appendRunProperties(QByteArray& out, const CharFormat& format, const CharFormat& base,
                         QLatin1StringView complexFace = {}, QLatin1StringView language = {})
{
    const bool font = format.font != base.font;
    const bool color = format.color != base.color;
    const bool size = halfPoints(format) != halfPoints(base);
    if (!font && complexFace.isEmpty() && format.bold == base.bold && !color && !size)
        return;
    out.append("<w:rPr>");
    if (font || !complexFace.isEmpty()) {
        out.append("<w:rFonts");
        if (font) {
            appendFace(out, "w:ascii", format.font);
            appendFace(out, "w:hAnsi", format.font);
        }
        if (!complexFace.isEmpty())
            appendFace(out, "w:cs", QString(complexFace));
        out.append("/>");
    }
    if (format.bold != base.bold)
        appendBold(out, format.bold);
    if (color)
        appendColor(out, format.color);
    if (size)
        appendSize(out, format);
    if (!language.isEmpty())
        out.append("<w:lang w:bidi=\"").append(language.data(), language.size()).append("\"/>");
    out.append("</w:rPr>");
}

void appendRun(QByteArray& out, const Run& run, const CharFormat& base, bool& afterCr)
{
    for (const ScriptPiece& piece : scriptPieces(run.text)) {
        const qsizetype start = out.size();
        out.append("<w:r>");
        appendRunProperties(out, run.format, base, piece.face, piece.language);
        const qsizetype content = out.size();
        appendRunContent(out, piece.text, afterCr);
        if (out.size() == content)
            out.truncate(start); // only characters that are not text
        else
            out.append("</w:r>");
    }
}

} // namespace

void appendParagraph(QByteArray& out, const Paragraph& paragraph, const CharFormat& base)
{
    out.append("<w:p>");
    const qsizetype properties = out.size();
    out.append("<w:pPr>");
    const qsizetype empty = out.size();
    const std::size_t tabStops =
        std::min(paragraph.format.tabStops.size(), std::size_t(MaxTabStops));
    if (tabStops > 0) {
        out.append("<w:tabs>");
        for (std::size_t i = 0; i < tabStops; ++i) {
            out.append("<w:tab w:val=\"left\" w:pos=\"");
            appendNumber(out, clampLength(paragraph.format.tabStops[i]));
            out.append("\"/>");
        }
        out.append("</w:tabs>");
    }
    static constexpr const char* Alignments[] = {nullptr, "center", "right", "both"};
    if (const char* alignment = Alignments[int(paragraph.format.alignment)])
        out.append("<w:jc w:val=\"").append(alignment).append("\"/>");
    appendRunProperties(out, paragraph.mark, base);
    if (out.size() == empty)
        out.truncate(properties);
    else
        out.append("</w:pPr>");
    bool afterCr = false;
    for (const Run& run : paragraph.runs)
        appendRun(out, run, base, afterCr);
    out.append("</w:p>");
}

void appendBaseRunProperties(QByteArray& out, const CharFormat& format)
{
    out.append("<w:rPr><w:rFonts");
    appendFace(out, "w:ascii", format.font);
    appendFace(out, "w:hAnsi", format.font);
    appendFace(out, "w:eastAsia", QString::fromLatin1(EastAsianFace));
    appendFace(out, "w:cs", format.font);
    out.append("/>");
    if (format.bold)
        appendBold(out, true);
    if (format.color)
        appendColor(out, format.color);
    appendSize(out, format);
    out.append("</w:rPr>");
}

} // namespace quillory::doc::docx
