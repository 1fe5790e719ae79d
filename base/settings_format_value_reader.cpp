// SPDX-License-Identifier: MIT

#include "base/settings_format_text.h"
#include "base/settings_format_variant.h"

#include <QStringDecoder>
#include <QStringList>

namespace quillory::ini {

namespace {

int digitValue(char c, int base)
{
    const int value = (c >= '0' && c <= '9')   ? c - '0'
                      : (c >= 'a' && c <= 'f') ? c - 'a' + 10
                      : (c >= 'A' && c <= 'F') ? c - 'A' + 10
                                               : -1;
    return value < base ? value : -1;
}

char16_t shortUnescape(char letter)
{
    switch (letter) {
    case 'a': return u'\a';
    case 'b': return u'\b';
    case 'f': return u'\f';
    case 'n': return u'\n';
    case 'r': return u'\r';
    case 't': return u'\t';
    case 'v': return u'\v';
    case '"': return u'"';
    case '?': return u'?';
    case '\'': return u'\'';
    case '\\': return u'\\';
    default: return 0;
    }
}

// Reads one value: blanks around unquoted items are dropped (but not those an escape wrote),
// quotes may open and close anywhere, an unquoted comma makes the value a list, and runs of
// plain bytes are decoded as UTF-8 by one decoder that keeps its state across escapes.
class ValueReader {
public:
    explicit ValueReader(QByteArrayView raw)
        : m_raw(raw)
    {
    }

    QVariant read()
    {
        skipBlanks();
        bool chopAtEnd = true;
        while (m_at < m_raw.size()) {
            const char c = m_raw[m_at];
            if (c == '\\') {
                if (!readEscape()) {
                    chopAtEnd = false; // the text ended inside an escape
                    break;
                }
            } else if (c == '"') {
                ++m_at;
                m_quoted = true;
                m_inQuotes = !m_inQuotes;
                if (!m_inQuotes)
                    skipBlanks();
            } else if (c == ',' && !m_inQuotes) {
                ++m_at;
                finishItem();
                skipBlanks();
            } else {
                readRun();
            }
        }
        if (chopAtEnd && !m_quoted)
            chopBlanks();
        if (!m_isList)
            return textToVariant(m_text);
        m_items.append(m_text);
        return listToVariant(m_items);
    }

private:
    void skipBlanks()
    {
        while (m_at < m_raw.size() && (m_raw[m_at] == ' ' || m_raw[m_at] == '\t'))
            ++m_at;
        m_chopLimit = m_text.size();
    }

    void chopBlanks()
    {
        qsizetype end = m_text.size();
        while (end > m_chopLimit && (m_text[end - 1] == u' ' || m_text[end - 1] == u'\t'))
            --end;
        m_text.truncate(end);
    }

    void finishItem()
    {
        if (!m_quoted)
            chopBlanks();
        m_isList = true;
        m_items.append(m_text);
        m_text.clear();
        m_quoted = false;
    }

    void readRun()
    {
        qsizetype end = m_at + 1;
        while (end < m_raw.size() && m_raw[end] != '\\' && m_raw[end] != '"' && m_raw[end] != ',')
            ++end;
        m_text += m_decoder(m_raw.sliced(m_at, end - m_at));
        m_at = end;
    }

    // False when the text ends inside the escape.
    bool readEscape()
    {
        if (++m_at >= m_raw.size())
            return false;
        const char letter = m_raw[m_at++];
        if (const char16_t c = shortUnescape(letter)) {
            m_text += QChar(c);
        } else if (letter == 'x') {
            if (m_at >= m_raw.size())
                return false;
            if (digitValue(m_raw[m_at], 16) >= 0 && !readNumber(16, 0))
                return false;
        } else if (const int first = digitValue(letter, 8); first >= 0) {
            if (!readNumber(8, char16_t(first)))
                return false;
        } else if (letter == '\n' || letter == '\r') {
            // An escaped line end continues the value on the next line; CR LF or LF CR is one.
            if (m_at < m_raw.size() && (m_raw[m_at] == '\n' || m_raw[m_at] == '\r') &&
                m_raw[m_at] != letter)
                ++m_at;
        }
        // Any other escaped character is dropped.
        m_chopLimit = m_text.size();
        return true;
    }

    // Adds the character of the digits that follow; false when the text ends in them.
    bool readNumber(int base, char16_t value)
    {
        for (int digit; m_at < m_raw.size() && (digit = digitValue(m_raw[m_at], base)) >= 0; ++m_at)
            value = char16_t(value * base + digit);
        m_text += QChar(value);
        return m_at < m_raw.size();
    }

    QByteArrayView m_raw;
    qsizetype m_at = 0;
    QString m_text;
    QStringList m_items;
    QStringDecoder m_decoder{QStringDecoder::Utf8};
    qsizetype m_chopLimit = 0;
    bool m_inQuotes = false;
    bool m_quoted = false;
    bool m_isList = false;
};

} // namespace

std::optional<QString> commaText(QByteArrayView raw)
{
    // A hand-edited "Smith, John": blanks at its ends dropped, as Qt drops them. Quotes,
    // escapes, '@' markers and invalid UTF-8 (which Qt decodes item by item) leave it a list.
    QByteArrayView text = raw;
    while (!text.isEmpty() && (text.front() == ' ' || text.front() == '\t'))
        text = text.sliced(1);
    while (!text.isEmpty() && (text.back() == ' ' || text.back() == '\t'))
        text.chop(1);
    if (!text.contains(',') || text.contains('"') || text.contains('\\') || text.contains('@'))
        return std::nullopt;
    QString written = QString::fromUtf8(text);
    if (written.toUtf8() != text)
        return std::nullopt;
    return written;
}

QVariant readValue(QByteArrayView raw)
{
    if (std::optional<QString> text = commaText(raw))
        return *text;
    return ValueReader(raw).read();
}

} // namespace quillory::ini
