// SPDX-License-Identifier: MIT

#include "document/rtf/rtf_emitter.h"

#include "document/rtf/rtf_code_page.h"

#include <algorithm>
#include <charconv>
#include <iterator>

namespace quillory::doc::rtf {

namespace {

constexpr qsizetype FlushSize = 64 * 1024;

// Line feed, carriage return, vertical tab (Word's manual line break) and the line separator.
bool isLineBreak(char16_t c)
{
    return c == u'\n' || c == u'\r' || c == u'\v' || c == 0x2028;
}

} // namespace

void Emitter::put(char c)
{
    m_buffer.append(c);
    if (m_buffer.size() >= FlushSize)
        flush();
}

void Emitter::put(const char* chars)
{
    m_buffer.append(chars);
    if (m_buffer.size() >= FlushSize)
        flush();
}

void Emitter::word(const char* name)
{
    put('\\');
    put(name);
    m_afterWord = true;
}

void Emitter::word(const char* name, qint64 value)
{
    word(name);
    char digits[24];
    *std::to_chars(std::begin(digits), std::end(digits) - 1, value).ptr = '\0';
    put(digits);
}

void Emitter::open()
{
    put('{');
    m_afterWord = false;
}

void Emitter::close()
{
    put('}');
    m_afterWord = false;
}

void Emitter::endEntry()
{
    put(';');
    m_afterWord = false;
}

void Emitter::newline()
{
    put('\n');
    m_afterWord = false;
}

QString Emitter::readBack(QStringView text)
{
    QString read;
    read.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        if (isLineBreak(unit)) {
            if (unit != u'\n' || i == 0 || text[i - 1] != u'\r')
                read += QChar(0x2028);
        } else if (unit >= 0x20 || unit == u'\t') {
            read += QChar(unit);
        }
    }
    return read;
}

bool Emitter::writesText(QStringView text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) {
        return c.unicode() >= 0x20 || c == u'\t' || isLineBreak(c.unicode());
    });
}

void Emitter::text(QStringView text, bool inTable)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        if (unit == u'\\' || unit == u'{' || unit == u'}') {
            put('\\');
            put(char(unit));
            m_afterWord = false;
        } else if (unit == u'\t') {
            word("tab");
        } else if (isLineBreak(unit)) {
            if (unit != u'\n' || i == 0 || text[i - 1] != u'\r') // CR LF is one break
                word("line");
        } else if (unit < 0x20) {
            continue; // other control characters are not text; readers show them as stray signs
        } else if (unit == u';' && inTable) {
            put("\\'3b");
            m_afterWord = false;
        } else if (unit < 0x7F) {
            // Any character may end a control word, but some readers (pandoc) drop one that is
            // not a space; the delimiting space, as Word writes it, is safe everywhere.
            if (m_afterWord)
                put(' ');
            put(char(unit));
            m_afterWord = false;
        } else {
            unicode(unit);
        }
    }
}

// The fallback after \uN is the code page's byte as a hex escape, as word processors write it:
// readers that take a literal fallback character as text (pandoc) then lose nothing.
void Emitter::unicode(char16_t unit)
{
    word("u", qint16(unit)); // RTF numbers are signed 16-bit
    static constexpr char HexDigits[] = "0123456789abcdef";
    const uchar byte = toWindows1252(unit);
    const char escape[] = {'\\', '\'', HexDigits[byte >> 4], HexDigits[byte & 0xF], '\0'};
    put(escape);
    m_afterWord = false;
}

void Emitter::copy(QByteArrayView written)
{
    m_buffer.append(written);
    m_afterWord = false;
    if (m_buffer.size() >= FlushSize)
        flush();
}

void Emitter::flush()
{
    if (m_buffer.isEmpty())
        return;
    m_sink.write(m_buffer);
    m_buffer.clear();
}

} // namespace quillory::doc::rtf
