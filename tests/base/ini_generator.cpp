// SPDX-License-Identifier: MIT

#include "tests/base/ini_generator.h"

#include <array>

namespace quillory::test {

using namespace Qt::StringLiterals;

namespace {

// Texts Qt's format treats specially at the start of a value.
const std::array<QString, 10> Prefixes{
    u"@"_s,          u"@@"_s,         u"@String("_s,       u"@ByteArray("_s,
    u"@Variant("_s,  u"@Invalid()"_s, u"@Rect(1 2 3 4)"_s, u"@Size(5 6)"_s,
    u"@Point(7 8"_s, u"@DateTime("_s};

const std::array<QByteArray, 12> RawFragments{"\\x1", "\\0", "\\", "\\\n", "\\\r\n", "\"",
                                              ",",    ";",   "=",  "@",    "%U00e9", "\xc3\xa9"};

} // namespace

char16_t IniGenerator::character()
{
    static constexpr char16_t specials[] = u" \t\r\n\"\\;,=#[]%@/'?";
    switch (below(12)) {
    case 0: return char16_t(below(0x20)); // control characters, NUL included
    case 1: return u"0123456789abcdefABCDEF"[below(22)];
    case 2: return specials[below(int(std::size(specials)) - 1)];
    case 3: return char16_t(0x7F + below(0x81));            // DEL and Latin-1
    case 4: return char16_t(0x100 + below(0xD800 - 0x100)); // the rest of the BMP below surrogates
    case 5: return char16_t(0xD800 + below(0x800));         // surrogates, alone or paired by chance
    case 6: return char16_t(0xE000 + below(0x2000));        // private use up to U+FFFF
    case 7: return u"\u00a0\u2028\u2029\ufeff\ufffe\uffff"[below(6)];
    default: return char16_t(0x20 + below(0x5F)); // printable ASCII
    }
}

QString IniGenerator::text()
{
    QString result;
    if (below(8) == 0)
        result += Prefixes.at(below(int(Prefixes.size())));
    const int size = below(50) == 0 ? below(100'000) : below(4) == 0 ? 0 : below(40);
    result.reserve(result.size() + size);
    for (int i = 0; i < size; ++i) {
        if (below(20) == 0) { // a whole surrogate pair: a character beyond the BMP
            const char32_t code = 0x10000 + m_random.bounded(0x100000);
            result += QChar::highSurrogate(code);
            result += QChar::lowSurrogate(code);
        } else {
            result += QChar(character());
        }
    }
    if (below(6) == 0)
        result = u"  "_s + result + u" "_s;
    return result;
}

QString IniGenerator::key()
{
    static const std::array<QString, 8> names{u"Quillory"_s,        u"General"_s,  u"general"_s,
                                              u"%General"_s,        u"Homework"_s, u"Text1_0"_s,
                                              u"DateTimePicker1"_s, u"x"_s};
    QStringList parts;
    const int count = 1 + below(3);
    for (int i = 0; i < count; ++i) {
        QString part = below(2) == 0 ? names.at(below(int(names.size()))) : QString();
        const int extra = part.isEmpty() ? 1 + below(6) : below(2);
        for (int j = 0; j < extra; ++j) {
            char16_t c = character();
            while (c == u'/')
                c = character();
            part += QChar(c);
        }
        parts.append(part);
    }
    return parts.join(u'/');
}

QList<std::pair<QString, QString>> IniGenerator::settings(int count)
{
    QList<std::pair<QString, QString>> result;
    for (int i = 0; i < count; ++i)
        result.append({key(), text()});
    return result;
}

QByteArray IniGenerator::rawKey()
{
    static const std::array<QByteArray, 8> names{
        "Text1_0", "Homework", "DateTimePicker1", "a%2Fb", "k\\sub", "%U00", "%zz", " spaced key "};
    QByteArray result = names.at(below(int(names.size())));
    if (below(4) == 0)
        result += text().left(4).toUtf8();
    return result;
}

QByteArray IniGenerator::rawValue()
{
    QByteArray result;
    const int pieces = below(6);
    for (int i = 0; i < pieces; ++i) {
        if (below(3) == 0)
            result += RawFragments.at(below(int(RawFragments.size())));
        else
            result += text().left(12).toUtf8();
    }
    return result;
}

QByteArray IniGenerator::lineEnd()
{
    static const std::array<QByteArray, 4> ends{"\n", "\r\n", "\r", "\n\r"};
    return ends.at(below(4));
}

QByteArray IniGenerator::line()
{
    switch (below(14)) {
    case 0: return "[Quillory]";
    case 1: return below(2) ? "[General]" : "[%general]";
    case 2: return "[" + rawKey() + (below(3) ? "]" : ""); // a header, maybe unclosed
    case 3: return "; a comment " + rawValue();
    case 4: return "stray line without an equals sign";
    case 5: { // binary junk
        QByteArray junk(below(24), '\0');
        for (char& c : junk)
            c = char(below(256));
        return junk;
    }
    case 6: return "";
    default: return rawKey() + (below(2) ? "=" : " = ") + rawValue();
    }
}

QByteArray IniGenerator::file()
{
    QByteArray result = below(10) == 0 ? "\xef\xbb\xbf" : "";
    const int lines = below(16);
    for (int i = 0; i < lines; ++i)
        result += line() + lineEnd();
    if (below(4) == 0) // cut off, as by a crash while it was written
        result.truncate(below(int(result.size()) + 1));
    return result;
}

} // namespace quillory::test
