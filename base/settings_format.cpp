#include "base/settings_format.h"

#include <QIODevice>
#include <QStringList>

namespace quillory {

using namespace Qt::StringLiterals;

namespace {

bool isHexDigit(char16_t c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

// Characters written as they are (UTF-8), without escaping or quoting.
bool isPlain(char16_t c)
{
    return c > 0x1F && c != u'"' && c != u'\\' && c != u';' && c != u',' && c != u'=';
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

void appendHexEscape(QByteArray& out, char16_t c)
{
    out += "\\x" + QByteArray::number(c, 16);
}

void appendEscapedValue(QByteArray& out, QStringView value)
{
    const qsizetype start = out.size();
    bool needsQuotes = false;
    bool escapeNextIfDigit = false; // after "\x1" a following digit would join the number
    qsizetype i = 0;
    while (i < value.size()) {
        qsizetype end = i;
        while (end < value.size() && isPlain(value[end].unicode()) &&
               !(escapeNextIfDigit && end == i && isHexDigit(value[end].unicode())))
            ++end;
        if (end > i) {
            out += value.sliced(i, end - i).toUtf8();
            escapeNextIfDigit = false;
            i = end;
            continue;
        }
        const char16_t c = value[i++].unicode();
        if (c == u';' || c == u',' || c == u'=') {
            needsQuotes = true;
            out += char(c);
        } else if (escapeNextIfDigit && isHexDigit(c)) {
            appendHexEscape(out, c);
        } else if (c == 0) {
            out += "\\0";
            escapeNextIfDigit = true;
            continue;
        } else if (const char letter = shortEscape(c)) {
            out += '\\';
            out += letter;
        } else {
            appendHexEscape(out, c);
            escapeNextIfDigit = true;
            continue;
        }
        escapeNextIfDigit = false;
    }
    if (needsQuotes || (out.size() > start && (out.at(start) == ' ' || out.back() == ' '))) {
        out.insert(start, '"');
        out += '"';
    }
}

QString valueText(const QVariant& value)
{
    if (!value.isValid())
        return u"@Invalid()"_s;
    const QString text = value.toString();
    return text.startsWith(u'@') ? u'@' + text : text;
}

// Keys and section names keep letters, digits and a few marks; everything else is %XX / %UXXXX.
QByteArray escapedKey(QStringView key)
{
    QByteArray out;
    for (QChar qc : key) {
        const char16_t c = qc.unicode();
        if ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') ||
            c == u'_' || c == u'-' || c == u'.')
            out += char(c);
        else if (c == u'/')
            out += '\\';
        else if (c <= 0xFF)
            out += '%' + QByteArray::number(c, 16).rightJustified(2, '0').toUpper();
        else
            out += "%U" + QByteArray::number(c, 16).rightJustified(4, '0').toUpper();
    }
    return out;
}

QString unescapedKey(QByteArrayView key)
{
    QString out;
    for (qsizetype i = 0; i < key.size(); ++i) {
        const char c = key[i];
        const qsizetype digits = (i + 1 < key.size() && key[i + 1] == 'U') ? 4 : 2;
        const qsizetype first = i + 1 + (digits == 4 ? 1 : 0);
        bool ok = false;
        if (c == '%' && first + digits <= key.size()) {
            const uint code = key.sliced(first, digits).toByteArray().toUInt(&ok, 16);
            if (ok) {
                out += QChar(char16_t(code));
                i = first + digits - 1;
                continue;
            }
        }
        out += c == '\\' ? QChar(u'/') : QChar(char16_t(uchar(c)));
    }
    return out;
}

} // namespace

QByteArray settingsToIni(const QSettings::SettingsMap& settings)
{
    QByteArray out;
    QString section = u"\x01"_s; // no real section is named so
    for (auto it = settings.cbegin(); it != settings.cend(); ++it) {
        const qsizetype slash = it.key().lastIndexOf(u'/');
        const QString keySection = slash < 0 ? u"General"_s : it.key().left(slash);
        if (keySection != section) {
            if (!out.isEmpty())
                out += '\n';
            out += '[' + escapedKey(keySection) + "]\n";
            section = keySection;
        }
        out += escapedKey(QStringView(it.key()).sliced(slash + 1)) + '=';
        appendEscapedValue(out, valueText(it.value()));
        out += '\n';
    }
    return out;
}

namespace {

// Reads one INI value: quotes, backslash escapes, and unquoted commas that make it a list.
class ValueReader {
public:
    explicit ValueReader(QByteArrayView raw)
        : m_raw(raw)
    {
    }

    QVariant read()
    {
        skipSpaces();
        while (m_at < m_raw.size()) {
            const char c = m_raw[m_at];
            if (c == '\\') {
                readEscape();
            } else if (c == '"') {
                ++m_at;
                m_quoted = true;
                m_inQuotes = !m_inQuotes;
                if (!m_inQuotes)
                    skipSpaces();
            } else if (!m_inQuotes && c == ';') {
                break; // a comment
            } else if (!m_inQuotes && c == ',') {
                ++m_at;
                finishItem();
                skipSpaces();
            } else {
                readRun();
            }
        }
        if (m_isList) {
            finishItem();
            return m_items;
        }
        if (!m_quoted)
            chopTrailingSpaces();
        if (m_current == u"@Invalid()"_s)
            return QVariant();
        // Qt wraps texts with control characters in @String(...) and doubles a leading '@'.
        if (m_current.startsWith(u"@String("_s) && m_current.endsWith(u')'))
            return m_current.sliced(8, m_current.size() - 9);
        return m_current.startsWith(u"@@"_s) ? m_current.sliced(1) : m_current;
    }

private:
    void skipSpaces()
    {
        while (m_at < m_raw.size() && (m_raw[m_at] == ' ' || m_raw[m_at] == '\t'))
            ++m_at;
    }

    void readRun()
    {
        qsizetype end = m_at + 1;
        while (end < m_raw.size() && m_raw[end] != '\\' && m_raw[end] != '"' && m_raw[end] != ',' &&
               m_raw[end] != ';')
            ++end;
        m_current += QString::fromUtf8(m_raw.sliced(m_at, end - m_at));
        m_at = end;
    }

    void readEscape()
    {
        ++m_at;
        if (m_at >= m_raw.size())
            return;
        const char c = m_raw[m_at++];
        static constexpr std::pair<char, char16_t> simple[] = {
            {'a', u'\a'}, {'b', u'\b'}, {'f', u'\f'}, {'n', u'\n'},  {'r', u'\r'}, {'t', u'\t'},
            {'v', u'\v'}, {'"', u'"'},  {'?', u'?'},  {'\'', u'\''}, {'\\', u'\\'}};
        for (const auto& [letter, value] : simple) {
            if (c == letter) {
                m_current += QChar(value);
                m_chopLimit = m_current.size();
                return;
            }
        }
        if (c == 'x')
            readNumber(16);
        else if (c >= '0' && c <= '7') {
            --m_at;
            readNumber(8);
        }
        m_chopLimit = m_current.size();
    }

    static int digitValue(char c, int base)
    {
        const char lower = char(c | 0x20);
        const int value = (c >= '0' && c <= '9')           ? c - '0'
                          : (lower >= 'a' && lower <= 'f') ? lower - 'a' + 10
                                                           : -1;
        return value < base ? value : -1;
    }

    void readNumber(int base)
    {
        char16_t value = 0;
        for (int digit; m_at < m_raw.size() && (digit = digitValue(m_raw[m_at], base)) >= 0; ++m_at)
            value = char16_t(value * base + digit);
        m_current += QChar(value);
    }

    void chopTrailingSpaces()
    {
        qsizetype end = m_current.size();
        while (end > m_chopLimit && (m_current[end - 1] == u' ' || m_current[end - 1] == u'\t'))
            --end;
        m_current.truncate(end);
    }

    void finishItem()
    {
        if (!m_quoted)
            chopTrailingSpaces();
        m_isList = true;
        m_items.append(m_current);
        m_current.clear();
        m_quoted = false;
        m_chopLimit = 0;
    }

    QByteArrayView m_raw;
    qsizetype m_at = 0;
    QString m_current;
    QStringList m_items;
    qsizetype m_chopLimit = 0;
    bool m_inQuotes = false;
    bool m_quoted = false;
    bool m_isList = false;
};

QByteArrayView trimmed(QByteArrayView text)
{
    while (!text.isEmpty() && (text.front() == ' ' || text.front() == '\t'))
        text = text.sliced(1);
    while (!text.isEmpty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.chop(1);
    return text;
}

bool readIniFile(QIODevice& device, QSettings::SettingsMap& settings)
{
    return settingsFromIni(device.readAll(), settings);
}

bool writeIniFile(QIODevice& device, const QSettings::SettingsMap& settings)
{
    const QByteArray text = settingsToIni(settings);
    return device.write(text) == text.size();
}

} // namespace

bool settingsFromIni(QByteArrayView text, QSettings::SettingsMap& settings)
{
    QString section;
    bool ok = true;
    qsizetype at = 0;
    while (at < text.size()) {
        qsizetype end = text.indexOf('\n', at);
        if (end < 0)
            end = text.size();
        const QByteArrayView line = trimmed(text.sliced(at, end - at));
        at = end + 1;
        if (line.isEmpty() || line.front() == ';' || line.front() == '#')
            continue;
        if (line.front() == '[') {
            const qsizetype close = line.indexOf(']');
            if (close < 0) {
                ok = false;
                continue;
            }
            section = unescapedKey(line.sliced(1, close - 1));
            if (section.compare(u"General"_s, Qt::CaseInsensitive) == 0)
                section.clear();
            continue;
        }
        const qsizetype equals = line.indexOf('=');
        if (equals <= 0) {
            ok = false;
            continue;
        }
        const QString key = unescapedKey(trimmed(line.first(equals)));
        settings.insert(section.isEmpty() ? key : section + u'/' + key,
                        ValueReader(line.sliced(equals + 1)).read());
    }
    return ok;
}

QSettings::Format settingsFileFormat()
{
    static const QSettings::Format format =
        QSettings::registerFormat(u"conf"_s, readIniFile, writeIniFile);
    return format;
}

} // namespace quillory
