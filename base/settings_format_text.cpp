// SPDX-License-Identifier: MIT

#include "base/settings_format_text.h"

#include "base/settings_format_variant.h"

#include <QStringEncoder>

namespace quillory::ini {

using namespace Qt::StringLiterals;

namespace {

constexpr char UpperHex[] = "0123456789ABCDEF";

bool isHexDigit(char32_t c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

bool isKeyChar(char16_t c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') ||
           c == u'_' || c == u'-' || c == u'.';
}

char shortEscape(char16_t c)
{
    switch (c) {
    case u'\a': return 'a';
    case u'\b': return 'b';
    case u'\f': return 'f';
    case u'\n': return 'n';
    case u'\r': return 'r';
    case u'\t': return 't';
    case u'\v': return 'v';
    case u'"': return '"';
    case u'\\': return '\\';
    default: return 0;
    }
}

bool needsQuotes(QStringView text, const QByteArray& out, qsizetype start)
{
    if (text.contains(u';') || text.contains(u',') || text.contains(u'='))
        return true;
    return out.size() > start && (out.at(start) == ' ' || out.back() == ' ');
}

// The end of the run of characters from `at` that a value keeps as they are: UTF-8 for text,
// single bytes inside the Latin-1 payload of @ByteArray(...), @Variant(...) and @DateTime(...).
qsizetype plainRunEnd(QStringView text, qsizetype at, bool asUtf8)
{
    const char16_t* const data = text.utf16();
    const char16_t limit = asUtf8 ? 0xFFFF : 0x7E;
    while (at < text.size()) {
        const char16_t c = data[at];
        if (c < 0x20 || c > limit || c == u'"' || c == u'\\')
            break;
        ++at;
    }
    return at;
}

// Encodes straight into the end of `out`, without a copy in between: the class list is long.
void appendEncoded(QByteArray& out, QStringEncoder& encoder, QStringView run)
{
    const qsizetype start = out.size();
    out.resize(start + encoder.requiredSpace(run.size()));
    const char* end = encoder.appendToBuffer(out.data() + start, run);
    out.truncate(end - out.constData());
}

// One text as Qt escapes it. The encoder keeps its state across the escapes, as a character-by-
// character encoder would: half a surrogate pair before an escape is settled after it.
void appendText(QByteArray& out, QStringView text)
{
    const bool asUtf8 = !(text.startsWith(u"@ByteArray("_s) || text.startsWith(u"@Variant("_s) ||
                          text.startsWith(u"@DateTime("_s));
    QStringEncoder encoder(QStringEncoder::Utf8);
    const qsizetype start = out.size();
    bool escapeHexDigits = false; // a hex digit after "\x1f" would be read as part of it
    qsizetype at = 0;
    while (at < text.size()) {
        const char16_t c = text[at].unicode();
        if (escapeHexDigits && isHexDigit(c)) {
            out += "\\x" + QByteArray::number(c, 16);
            ++at;
            continue;
        }
        escapeHexDigits = false;
        if (const qsizetype end = plainRunEnd(text, at, asUtf8); end > at) {
            if (asUtf8)
                appendEncoded(out, encoder, text.sliced(at, end - at));
            else
                out += text.sliced(at, end - at).toLatin1();
            at = end;
            continue;
        }
        ++at;
        if (c == 0) {
            out += "\\0";
            escapeHexDigits = true;
        } else if (const char letter = shortEscape(c)) {
            out += '\\';
            out += letter;
        } else {
            out += "\\x" + QByteArray::number(c, 16);
            escapeHexDigits = true;
        }
    }
    if (needsQuotes(text, out, start)) {
        out.insert(start, '"');
        out += '"';
    }
}

} // namespace

void appendKey(QByteArray& out, QStringView key)
{
    for (QChar qc : key) {
        const char16_t c = qc.unicode();
        if (c == u'/') {
            out += '\\';
        } else if (isKeyChar(c)) {
            out += char(c);
        } else if (c <= 0xFF) {
            out += '%';
            out += UpperHex[c >> 4];
            out += UpperHex[c & 0xF];
        } else {
            out += "%U";
            for (int shift = 12; shift >= 0; shift -= 4)
                out += UpperHex[(c >> shift) & 0xF];
        }
    }
}

QString readKey(QByteArrayView raw)
{
    const QString text = QString::fromUtf8(raw);
    QString key;
    key.reserve(text.size());
    qsizetype at = 0;
    while (at < text.size()) {
        const QChar c = text[at];
        if (c == u'\\') {
            key += u'/';
            ++at;
            continue;
        }
        if (c != u'%' || at == text.size() - 1) {
            key += c;
            ++at;
            continue;
        }
        const bool wide = text[at + 1] == u'U';
        const qsizetype first = at + (wide ? 2 : 1);
        const qsizetype digits = wide ? 4 : 2;
        bool ok = false;
        const ushort code = first + digits <= text.size()
                                ? QStringView(text).sliced(first, digits).toUShort(&ok, 16)
                                : 0;
        if (!ok) {
            key += u'%';
            ++at;
            continue;
        }
        key += QChar(code);
        at = first + digits;
    }
    return key;
}

void appendValue(QByteArray& out, const QVariant& value)
{
    const int type = value.metaType().id();
    if (type == QMetaType::QStringList ||
        (type == QMetaType::QVariantList && value.toList().size() != 1)) {
        const QVariantList items = value.toList();
        if (items.isEmpty())
            out += "@Invalid()";
        for (qsizetype i = 0; i < items.size(); ++i) {
            if (i > 0)
                out += ", ";
            appendText(out, variantToText(items.at(i)));
        }
        return;
    }
    appendText(out, variantToText(value));
}

} // namespace quillory::ini
