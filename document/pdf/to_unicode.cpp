// SPDX-License-Identifier: MIT

#include "document/pdf/to_unicode.h"

#include <QList>

namespace quillory::doc {

namespace {

// Entries per bfchar block: the most a reader has to accept.
constexpr std::size_t BlockSize = 100;

// The tokens of a CMap that matter here: hex strings, brackets and keywords.
class CMapTokens {
public:
    explicit CMapTokens(QByteArrayView text)
        : m_text(text)
    {
    }

    // The next token, or an empty view at the end.
    QByteArrayView next()
    {
        while (m_at < m_text.size() && QByteArrayView(" \t\r\n").contains(m_text[m_at]))
            ++m_at;
        const qsizetype start = m_at;
        if (m_at >= m_text.size())
            return {};
        if (m_text[m_at] == '<') {
            const qsizetype close = m_text.indexOf('>', m_at);
            m_at = close < 0 ? m_text.size() : close + 1;
        } else if (m_text[m_at] == '[' || m_text[m_at] == ']') {
            ++m_at;
        } else {
            while (m_at < m_text.size() && !QByteArrayView(" \t\r\n<[]").contains(m_text[m_at]))
                ++m_at;
        }
        return m_text.sliced(start, m_at - start);
    }

private:
    QByteArrayView m_text;
    qsizetype m_at = 0;
};

bool isHex(QByteArrayView token)
{
    return token.size() >= 2 && token.front() == '<' && token.back() == '>';
}

QByteArray bytesOf(QByteArrayView hex)
{
    return QByteArray::fromHex(hex.sliced(1, hex.size() - 2).toByteArray());
}

int codeOf(QByteArrayView hex)
{
    int code = 0;
    for (const char byte : bytesOf(hex))
        code = (code << 8) | quint8(byte);
    return code;
}

// UTF-16, high byte first, as a ToUnicode map holds its texts.
QString textOf(QByteArrayView hex)
{
    const QByteArray bytes = bytesOf(hex);
    QString text;
    for (qsizetype i = 0; i + 1 < bytes.size(); i += 2)
        text += QChar(char16_t(quint8(bytes[i]) << 8 | quint8(bytes[i + 1])));
    return text;
}

void readRange(CMapTokens& tokens, QByteArrayView first, CodeTexts& texts)
{
    const QByteArrayView last = tokens.next();
    const QByteArrayView target = tokens.next();
    if (!isHex(first) || !isHex(last))
        return;
    const int from = codeOf(first);
    const int to = codeOf(last);
    if (target == "[") {
        for (int code = from; code <= to; ++code) {
            const QByteArrayView each = tokens.next();
            if (!isHex(each))
                return;
            texts[code] = textOf(each);
        }
        tokens.next(); // "]"
    } else if (isHex(target)) {
        QString text = textOf(target);
        for (int code = from; code <= to && !text.isEmpty(); ++code) {
            texts[code] = text;
            text.back() = QChar(char16_t(text.back().unicode() + 1));
        }
    }
}

QByteArray hexOf(const QString& text)
{
    QByteArray hex;
    for (const QChar unit : text)
        hex += QByteArray::number(unit.unicode(), 16).rightJustified(4, '0').toUpper();
    return hex;
}

QByteArray codeHex(std::size_t code)
{
    return QByteArray::number(qulonglong(code), 16).rightJustified(4, '0').toUpper();
}

bool isCompatibilityForm(QChar::Decomposition tag)
{
    switch (tag) {
    case QChar::Compat:
    case QChar::Initial:
    case QChar::Medial:
    case QChar::Final:
    case QChar::Isolated: return true;
    default: return false;
    }
}

} // namespace

CodeTexts readToUnicode(QByteArrayView cmap)
{
    CodeTexts texts;
    CMapTokens tokens(cmap);
    QByteArrayView mode;
    for (QByteArrayView token = tokens.next(); !token.isEmpty(); token = tokens.next()) {
        if (token == "beginbfchar" || token == "beginbfrange")
            mode = token;
        else if (token == "endbfchar" || token == "endbfrange")
            mode = {};
        else if (mode == "beginbfchar" && isHex(token)) {
            const QByteArrayView target = tokens.next();
            if (isHex(target))
                texts[codeOf(token)] = textOf(target);
        } else if (mode == "beginbfrange")
            readRange(tokens, token, texts);
    }
    return texts;
}

QByteArray writeToUnicode(const std::vector<QString>& texts)
{
    QByteArray cmap = "/CIDInit /ProcSet findresource begin\n"
                      "12 dict begin\n"
                      "begincmap\n"
                      "/CIDSystemInfo << /Registry (Adobe) /Ordering (UCS) /Supplement 0 >> def\n"
                      "/CMapName /Adobe-Identity-UCS def\n"
                      "/CMapType 2 def\n"
                      "1 begincodespacerange\n"
                      "<0000> <FFFF>\n"
                      "endcodespacerange\n";
    std::vector<std::size_t> mapped;
    for (std::size_t code = 0; code < texts.size(); ++code) {
        if (!texts[code].isEmpty())
            mapped.push_back(code);
    }
    for (std::size_t block = 0; block < mapped.size(); block += BlockSize) {
        const std::size_t end = std::min(mapped.size(), block + BlockSize);
        cmap += QByteArray::number(qulonglong(end - block)) + " beginbfchar\n";
        for (std::size_t i = block; i < end; ++i)
            cmap += '<' + codeHex(mapped[i]) + "> <" + hexOf(texts[mapped[i]]) + ">\n";
        cmap += "endbfchar\n";
    }
    cmap += "endcmap\n"
            "CMapName currentdict /CMap defineresource pop\n"
            "end\n"
            "end\n";
    return cmap;
}

QString withoutCompatibilityForms(const QString& text)
{
    QString plain;
    for (const char32_t character : text.toUcs4()) {
        const QString one = QString::fromUcs4(&character, 1);
        plain += isCompatibilityForm(QChar::decompositionTag(character))
                     ? QChar::decomposition(character)
                     : one;
    }
    return plain;
}

} // namespace quillory::doc
