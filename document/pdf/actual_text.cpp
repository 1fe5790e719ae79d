// SPDX-License-Identifier: MIT

#include "document/pdf/actual_text.h"

#include <qpdf/Pl_String.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageObjectHelper.hh>

#include <utility>

namespace quillory::doc {

namespace {

// A text string as marked content takes it: UTF-16 with a byte order mark, in hex.
std::string hexText(const QString& text)
{
    QByteArray hex = "<FEFF";
    for (const QChar unit : text)
        hex += QByteArray::number(unit.unicode(), 16).rightJustified(4, '0').toUpper();
    hex += '>';
    return hex.toStdString();
}

// Copies a page's drawing, wrapping each showing of glyph 0 ("<0000> Tj", outside marked
// content already there, such as the second drawing of an emboldened glyph) in a span whose
// actual text is the next of `texts`.
class MissingGlyphMarker final : public QPDFObjectHandle::TokenFilter {
public:
    explicit MissingGlyphMarker(const std::vector<QString>& texts)
        : m_texts(texts)
    {
    }

    // How many showings of glyph 0 the pages had so far.
    std::size_t found() const { return m_found; }

    void handleToken(const QPDFTokenizer::Token& token) override
    {
        if (!m_held.empty()) {
            if (token.getType() == QPDFTokenizer::tt_space) {
                m_held.push_back(token);
                return;
            }
            if (token.isWord("Tj"))
                return writeSpan(token);
            release();
        }
        if (token.isWord("BDC") || token.isWord("BMC"))
            ++m_depth;
        else if (token.isWord("EMC") && m_depth > 0)
            --m_depth;
        else if (m_depth == 0 && token.getType() == QPDFTokenizer::tt_string &&
                 token.getValue() == std::string(2, '\0')) {
            m_held.push_back(token);
            return;
        }
        writeToken(token);
    }

    void handleEOF() override { release(); }

private:
    void writeSpan(const QPDFTokenizer::Token& show)
    {
        const bool named = m_found < m_texts.size() && !m_texts[m_found].isEmpty();
        ++m_found;
        if (named)
            write("/Span <</ActualText " + hexText(m_texts[m_found - 1]) + ">> BDC ");
        m_held.push_back(show);
        release();
        if (named)
            write(" EMC");
    }

    void release()
    {
        for (const QPDFTokenizer::Token& token : m_held)
            writeToken(token);
        m_held.clear();
    }

    const std::vector<QString>& m_texts;
    std::vector<QPDFTokenizer::Token> m_held; ///< a glyph 0 string, and the blanks after it
    std::size_t m_found = 0;
    int m_depth = 0; ///< of marked content
};

} // namespace

void markMissingGlyphs(QPDF& file, const std::vector<QString>& texts)
{
    if (texts.empty())
        return;
    MissingGlyphMarker marker(texts);
    std::vector<std::pair<QPDFObjectHandle, std::string>> marked;
    for (const QPDFObjectHandle& page : file.getAllPages()) {
        const std::size_t before = marker.found();
        std::string drawing;
        Pl_String sink("marked page", nullptr, drawing);
        QPDFPageObjectHelper(page).filterContents(&marker, &sink);
        if (marker.found() > before)
            marked.emplace_back(page, std::move(drawing));
        // The glyphs are drawn in page order: the pages after the last are as they were.
        if (marker.found() >= texts.size())
            break;
    }
    if (marker.found() != texts.size())
        return;
    for (auto& [page, drawing] : marked)
        page.replaceKey("/Contents", file.newStream(drawing));
}

} // namespace quillory::doc
