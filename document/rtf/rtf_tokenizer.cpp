// SPDX-License-Identifier: MIT

#include "document/rtf/rtf_tokenizer.h"

#include <limits>

namespace quillory::doc::rtf {

namespace {

// Longer words or numbers than these do not occur in RTF; refusing them keeps the reader's
// arithmetic safe.
constexpr qsizetype MaxWordLength = 32;
constexpr qsizetype MaxDigits = 10;

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}
bool isLineBreak(char c)
{
    return c == '\r' || c == '\n';
}

int hexValue(char c)
{
    if (isDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

Token makeToken(TokenKind kind, qsizetype offset, QByteArrayView chars = {})
{
    Token token;
    token.kind = kind;
    token.offset = offset;
    token.chars = chars;
    return token;
}

} // namespace

Token Tokenizer::next()
{
    while (m_pos < m_input.size() && isLineBreak(m_input[m_pos]))
        ++m_pos;
    const qsizetype start = m_pos;
    if (m_pos >= m_input.size())
        return makeToken(TokenKind::End, start);
    switch (m_input[m_pos]) {
    case '{': ++m_pos; return makeToken(TokenKind::GroupStart, start);
    case '}': ++m_pos; return makeToken(TokenKind::GroupEnd, start);
    case '\\':
        ++m_pos;
        if (m_pos >= m_input.size())
            throw SyntaxError{RtfStatus::Truncated, "The document ends inside an escape.", start};
        return isLetter(m_input[m_pos]) ? controlWord(start) : controlSymbol(start);
    default: return text(start);
    }
}

void Tokenizer::skipBytes(qsizetype count)
{
    if (count > m_input.size() - m_pos)
        throw SyntaxError{RtfStatus::Truncated, "The document ends inside binary data.", m_pos};
    m_pos += count;
}

Token Tokenizer::controlWord(qsizetype start)
{
    const qsizetype wordStart = m_pos;
    while (m_pos < m_input.size() && isLetter(m_input[m_pos])) {
        if (m_pos - wordStart == MaxWordLength)
            throw SyntaxError{RtfStatus::BadEscape, "A control word is too long.", start};
        ++m_pos;
    }
    Token token =
        makeToken(TokenKind::ControlWord, start, m_input.sliced(wordStart, m_pos - wordStart));
    if (startsParameter()) {
        token.hasParameter = true;
        token.parameter = parameter(start);
    }
    if (m_pos < m_input.size() && m_input[m_pos] == ' ')
        ++m_pos;
    return token;
}

bool Tokenizer::startsParameter() const
{
    const qsizetype left = m_input.size() - m_pos;
    if (left > 0 && isDigit(m_input[m_pos]))
        return true;
    return left > 1 && m_input[m_pos] == '-' && isDigit(m_input[m_pos + 1]);
}

int Tokenizer::parameter(qsizetype start)
{
    const bool negative = m_input[m_pos] == '-';
    if (negative)
        ++m_pos;
    const qsizetype digitsStart = m_pos;
    qint64 value = 0;
    while (m_pos < m_input.size() && isDigit(m_input[m_pos])) {
        if (m_pos - digitsStart == MaxDigits)
            throw SyntaxError{RtfStatus::OutOfRange, "A number is too long.", start};
        value = value * 10 + (m_input[m_pos] - '0');
        ++m_pos;
    }
    value = negative ? -value : value;
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        throw SyntaxError{RtfStatus::OutOfRange, "A number is out of range.", start};
    return int(value);
}

Token Tokenizer::controlSymbol(qsizetype start)
{
    const char symbol = m_input[m_pos++];
    if (symbol != '\'') {
        Token token = makeToken(TokenKind::ControlSymbol, start);
        token.symbol = isLineBreak(symbol) ? '\n' : symbol;
        return token;
    }
    if (m_input.size() - m_pos < 2)
        throw SyntaxError{RtfStatus::Truncated, "The document ends inside a hex escape.", start};
    const int high = hexValue(m_input[m_pos]);
    const int low = hexValue(m_input[m_pos + 1]);
    if (high < 0 || low < 0)
        throw SyntaxError{RtfStatus::BadEscape, "A hex escape is not followed by two hex digits.",
                          start};
    m_pos += 2;
    Token token = makeToken(TokenKind::HexChar, start);
    token.byte = uchar(high * 16 + low);
    return token;
}

Token Tokenizer::text(qsizetype start)
{
    while (m_pos < m_input.size()) {
        const char c = m_input[m_pos];
        if (c == '{' || c == '}' || c == '\\' || isLineBreak(c))
            break;
        ++m_pos;
    }
    return makeToken(TokenKind::Text, start, m_input.sliced(start, m_pos - start));
}

} // namespace quillory::doc::rtf
