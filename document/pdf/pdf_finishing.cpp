// SPDX-License-Identifier: MIT

#include "document/pdf/pdf_finishing.h"

#include "document/pdf/actual_text.h"
#include "document/pdf/to_unicode.h"

#include <qpdf/Pipeline.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFWriter.hh>

#include <QDebug>

#include <algorithm>
#include <stdexcept>

namespace quillory::doc {

namespace {

// Collects what QPDFWriter writes, without a copy of the whole file on the way.
class ByteArraySink final : public Pipeline {
public:
    explicit ByteArraySink(qsizetype expectedSize)
        : Pipeline("finished PDF", nullptr)
    {
        m_bytes.reserve(expectedSize);
    }
    void write(unsigned char const* data, size_t length) override
    {
        m_bytes.append(reinterpret_cast<const char*>(data), qsizetype(length));
    }
    void finish() override {}
    QByteArray take() { return std::move(m_bytes); }

private:
    QByteArray m_bytes;
};

// An entry the finishing relies on; a file without it is left as Qt wrote it.
QPDFObjectHandle required(QPDFObjectHandle dictionary, const char* key,
                          bool (QPDFObjectHandle::*isKind)())
{
    if (dictionary.isDictionary()) {
        QPDFObjectHandle value = dictionary.getKey(key);
        if ((value.*isKind)())
            return value;
    }
    throw std::runtime_error(std::string("no usable ") + key);
}

// A subset tag is six capital letters and a plus sign ("/QNAAAA+Name").
bool isSubsetName(const std::string& name)
{
    return name.size() > 8 && name[7] == '+' &&
           std::all_of(name.begin() + 1, name.begin() + 7,
                       [](char c) { return c >= 'A' && c <= 'Z'; });
}

// The font descriptor names the subset with its tag; the font dictionaries get the same name.
void tagBaseFont(QPDFObjectHandle font, const std::string& taggedName)
{
    QPDFObjectHandle base = font.getKey("/BaseFont");
    if (base.isName() && isSubsetName(taggedName) &&
        taggedName.substr(8) == base.getName().substr(1))
        font.replaceKey("/BaseFont", QPDFObjectHandle::newName(taggedName));
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

void replaceToUnicode(QPDFObjectHandle font, const DrawnFace* face)
{
    QPDFObjectHandle map = font.getKey("/ToUnicode");
    if (!map.isStream())
        return;
    const std::shared_ptr<Buffer> data = map.getStreamData(qpdf_dl_generalized);
    const CodeTexts mapped = readToUnicode(QByteArrayView(
        reinterpret_cast<const char*>(data->getBuffer()), qsizetype(data->getSize())));
    const QByteArray cmap =
        writeToUnicode(face && accountsFor(*face, mapped) ? face->texts : spelledOut(mapped));
    map.replaceStreamData(cmap.toStdString(), QPDFObjectHandle::newNull(),
                          QPDFObjectHandle::newNull());
}

void finishFonts(QPDF& file, const std::vector<DrawnFace>& faces)
{
    std::vector<QPDFObjectHandle> fonts;
    // In the order of their object numbers: the writer numbers its fonts in the order their
    // faces are first drawn.
    for (QPDFObjectHandle& object : file.getAllObjects()) {
        if (object.isDictionaryOfType("/Font", "/Type0"))
            fonts.push_back(object);
    }
    const bool recorded = fonts.size() == faces.size();
    for (std::size_t i = 0; i < fonts.size(); ++i) {
        QPDFObjectHandle descendants =
            required(fonts[i], "/DescendantFonts", &QPDFObjectHandle::isArray);
        QPDFObjectHandle descendant = descendants.getArrayItem(0);
        QPDFObjectHandle descriptor =
            required(descendant, "/FontDescriptor", &QPDFObjectHandle::isDictionary);
        const std::string tagged =
            required(descriptor, "/FontName", &QPDFObjectHandle::isName).getName();
        tagBaseFont(fonts[i], tagged);
        tagBaseFont(descendant, tagged);
        replaceToUnicode(fonts[i], recorded ? &faces[i] : nullptr);
    }
}

QByteArray finished(const PaintedPdf& painted, QByteArrayView producer)
{
    const QByteArray& pdf = painted.pdf;
    QPDF file;
    file.setSuppressWarnings(true);
    // A file that needs mending is not one this pass understands.
    file.setAttemptRecovery(false);
    file.processMemoryFile("Qt's PDF", pdf.constData(), std::size_t(pdf.size()));
    finishFonts(file, painted.faces);
    markActualText(file, painted.spans, painted.glyphs);
    required(file.getTrailer(), "/Info", &QPDFObjectHandle::isDictionary)
        .replaceKey("/Producer",
                    QPDFObjectHandle::newUnicodeString(producer.toByteArray().toStdString()));
    if (file.anyWarnings())
        throw std::runtime_error("the file has flaws");

    QPDFWriter writer(file);
    // Qt's streams are copied as they are, already compressed; only the new maps are.
    writer.setDecodeLevel(qpdf_dl_none);
    writer.setCompressStreams(true);
    writer.setObjectStreamMode(qpdf_o_disable);
    ByteArraySink sink(pdf.size() + pdf.size() / 8);
    writer.setOutputPipeline(&sink);
    writer.write();
    return sink.take();
}

} // namespace

QByteArray finishedPdf(const PaintedPdf& painted, QByteArrayView producer)
{
    try {
        return finished(painted, producer);
    } catch (const std::exception& failure) {
        // Qt's PDF is valid and shows every page; unfinished, it only reads less well.
        qWarning("The PDF is saved as Qt wrote it: %s", failure.what());
        return painted.pdf;
    }
}

} // namespace quillory::doc
