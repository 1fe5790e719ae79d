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

// Copies a page's drawing, counting the glyphs it shows one by one ("<0001> Tj"), and wraps
// each span of them in marked content with its actual text. Glyphs inside marked content
// already there (the second drawing of an emboldened glyph) are not counted.
class ActualTextMarker final : public QPDFObjectHandle::TokenFilter {
public:
    explicit ActualTextMarker(const std::vector<GlyphSpan>& spans)
        : m_spans(spans)
    {
    }

    // How many glyphs the pages showed so far.
    qint64 shown() const { return m_shown; }
    // How many spans were marked so far; one is open when a page ends inside it.
    std::size_t marked() const { return m_next; }
    bool open() const { return m_open; }

    void handleToken(const QPDFTokenizer::Token& token) override
    {
        if (!m_held.empty()) {
            if (token.getType() == QPDFTokenizer::tt_space) {
                m_held.push_back(token);
                return;
            }
            if (token.isWord("Tj"))
                return show(token);
            release();
        }
        if (token.isWord("BDC") || token.isWord("BMC"))
            ++m_depth;
        else if (token.isWord("EMC") && m_depth > 0)
            --m_depth;
        else if (m_depth == 0 && token.getType() == QPDFTokenizer::tt_string) {
            m_held.push_back(token);
            return;
        }
        writeToken(token);
    }

    void handleEOF() override { release(); }

private:
    void show(const QPDFTokenizer::Token& tj)
    {
        const GlyphSpan* span = m_next < m_spans.size() ? &m_spans[m_next] : nullptr;
        if (span && span->first == m_shown) {
            write("/Span <</ActualText " + hexText(span->text) + ">> BDC ");
            m_open = true;
        }
        m_held.push_back(tj);
        release();
        ++m_shown;
        if (m_open && m_shown == span->first + span->count) {
            write(" EMC");
            m_open = false;
            ++m_next;
        }
    }

    void release()
    {
        for (const QPDFTokenizer::Token& token : m_held)
            writeToken(token);
        m_held.clear();
    }

    const std::vector<GlyphSpan>& m_spans;
    std::vector<QPDFTokenizer::Token> m_held; ///< a glyph's string, and the blanks after it
    qint64 m_shown = 0;
    std::size_t m_next = 0;
    bool m_open = false;
    int m_depth = 0; ///< of marked content
};

} // namespace

void markActualText(QPDF& file, const std::vector<GlyphSpan>& spans, qint64 glyphs)
{
    if (spans.empty())
        return;
    ActualTextMarker marker(spans);
    std::vector<std::pair<QPDFObjectHandle, std::string>> marked;
    for (const QPDFObjectHandle& page : file.getAllPages()) {
        const std::size_t before = marker.marked();
        std::string drawing;
        Pl_String sink("marked page", nullptr, drawing);
        QPDFPageObjectHelper(page).filterContents(&marker, &sink);
        if (marker.open())
            return;
        if (marker.marked() > before)
            marked.emplace_back(page, std::move(drawing));
    }
    // Counted otherwise than recorded, the spans would mark the wrong glyphs.
    if (marker.shown() != glyphs || marker.marked() != spans.size())
        return;
    for (auto& [page, drawing] : marked)
        page.replaceKey("/Contents", file.newStream(drawing));
}

} // namespace quillory::doc
