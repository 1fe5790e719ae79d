#include "document/rtf/rtf_emitter.h"

namespace quillory::doc::rtf {

namespace {

constexpr qsizetype FlushSize = 64 * 1024;

// Characters that a reader would take as part of a control word right before them.
bool extendsWord(char16_t c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') ||
           c == u'-' || c == u' ';
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
    put(QByteArray::number(value).constData());
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

void Emitter::newline()
{
    put('\n');
    m_afterWord = false;
}

void Emitter::text(QStringView text, bool inTable)
{
    for (const QChar c : text) {
        const char16_t unit = c.unicode();
        if (unit == u'\\' || unit == u'{' || unit == u'}') {
            put('\\');
            put(char(unit));
            m_afterWord = false;
        } else if (unit == u'\t') {
            word("tab");
        } else if (unit == u';' && inTable) {
            put("\\'3b");
            m_afterWord = false;
        } else if (unit >= 0x20 && unit < 0x7F) {
            if (m_afterWord && extendsWord(unit))
                put(' ');
            put(char(unit));
            m_afterWord = false;
        } else {
            word("u", qint16(unit)); // RTF numbers are signed 16-bit
            put('?');                // what a reader without Unicode shows
            m_afterWord = false;
        }
    }
}

void Emitter::flush()
{
    if (m_buffer.isEmpty())
        return;
    m_sink.write(m_buffer);
    m_buffer.clear();
}

} // namespace quillory::doc::rtf
