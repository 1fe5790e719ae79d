// SPDX-License-Identifier: MIT

#include "document/pdf/pdf_finishing.h"

#include "document/pdf/pdf_file.h"
#include "document/pdf/to_unicode.h"

#include <algorithm>

namespace quillory::doc {

namespace {

// A subset tag is six capital letters and a plus sign.
bool isSubsetName(QByteArrayView name)
{
    if (name.size() < 8 || name[6] != '+')
        return false;
    return std::all_of(name.begin(), name.begin() + 6, [](char c) { return c >= 'A' && c <= 'Z'; });
}

// The font descriptor names the subset with its tag; the font dictionaries get the same name.
void tagBaseFont(PdfFile& file, int object, QByteArrayView taggedName)
{
    const NameValue base = nameEntry(file.dictionary(object), "/BaseFont");
    if (base.start >= 0 && isSubsetName(taggedName) && taggedName.sliced(7) == base.name)
        file.replace(object, base.start, base.end - base.start, '/' + taggedName.toByteArray());
}

// The data of an unfiltered stream object; empty for a filtered one.
QByteArrayView plainStream(const PdfFile& file, int object)
{
    if (file.dictionary(object).contains("/Filter"))
        return {};
    const QByteArrayView text = file.object(object);
    const qsizetype keyword = text.indexOf("stream");
    const qsizetype end = text.lastIndexOf("endstream");
    if (keyword < 0 || end < keyword)
        return {};
    qsizetype start = keyword + 6;
    start += text.sliced(start).startsWith("\r\n") ? 2 : 1;
    return text.sliced(start, std::max<qsizetype>(0, end - start));
}

// The recording accounts for a font when every glyph the font's own map names is the glyph
// the recording has in that place.
bool accountsFor(const DrawnFace& face, const CodeTexts& mapped)
{
    for (const auto& [code, text] : mapped) {
        if (code == 0 || text.isEmpty())
            continue;
        if (code >= int(face.glyphs.size()))
            return false;
        const QList<quint32> glyphs = face.font.glyphIndexesForString(text);
        if (glyphs.isEmpty() || glyphs.first() != face.glyphs[std::size_t(code)])
            return false;
    }
    return true;
}

std::vector<QString> spelledOut(const CodeTexts& mapped)
{
    std::vector<QString> texts(mapped.empty() ? 0 : std::size_t(mapped.rbegin()->first) + 1);
    for (const auto& [code, text] : mapped) {
        if (code > 0)
            texts[std::size_t(code)] = withoutCompatibilityForms(text);
    }
    return texts;
}

void replaceToUnicode(PdfFile& file, int font, const DrawnFace* face)
{
    const int map = referenceEntry(file.dictionary(font), "/ToUnicode");
    const QByteArrayView stream = plainStream(file, map);
    if (stream.isEmpty())
        return;
    const CodeTexts mapped = readToUnicode(stream);
    const QByteArray cmap =
        writeToUnicode(face && accountsFor(*face, mapped) ? face->texts : spelledOut(mapped));
    file.replaceObject(map, "\n<< /Length " + QByteArray::number(cmap.size()) + " >>\nstream\n" +
                                cmap + "\nendstream\n");
}

// Where a literal string starting at `open` (its opening bracket) ends, after its closing one.
qsizetype literalEnd(QByteArrayView text, qsizetype open)
{
    int depth = 0;
    for (qsizetype at = open; at < text.size(); ++at) {
        if (text[at] == '\\')
            ++at;
        else if (text[at] == '(')
            ++depth;
        else if (text[at] == ')' && --depth == 0)
            return at + 1;
    }
    return -1;
}

void nameProducer(PdfFile& file, QByteArrayView producer)
{
    const int info = file.trailerReference("/Info");
    const QByteArrayView dictionary = file.dictionary(info);
    const qsizetype key = dictionary.indexOf("/Producer");
    const qsizetype open = key < 0 ? -1 : dictionary.indexOf('(', key);
    const qsizetype end = open < 0 ? -1 : literalEnd(dictionary, open);
    if (end > open)
        file.replace(info, open, end - open, '(' + producer.toByteArray() + ')');
}

} // namespace

QByteArray finishedPdf(QByteArray pdf, const std::vector<DrawnFace>& faces, QByteArrayView producer)
{
    PdfFile file(std::move(pdf));
    std::vector<int> fonts;
    for (int object = 1; object < file.objectCount(); ++object) {
        if (nameEntry(file.dictionary(object), "/Subtype").name == "Type0")
            fonts.push_back(object);
    }
    // The writer numbers its fonts in the order their faces are first drawn.
    const bool recorded = fonts.size() == faces.size();
    for (std::size_t i = 0; i < fonts.size(); ++i) {
        const int descendant = referenceEntry(file.dictionary(fonts[i]), "/DescendantFonts");
        const int descriptor = referenceEntry(file.dictionary(descendant), "/FontDescriptor");
        const NameValue tagged = nameEntry(file.dictionary(descriptor), "/FontName");
        tagBaseFont(file, fonts[i], tagged.name);
        tagBaseFont(file, descendant, tagged.name);
        replaceToUnicode(file, fonts[i], recorded ? &faces[i] : nullptr);
    }
    nameProducer(file, producer);
    return file.written();
}

} // namespace quillory::doc
