// SPDX-License-Identifier: MIT

#include "base/settings_format.h"
#include "base/settings_format_text.h"

#include <QMap>

namespace quillory {

using namespace Qt::StringLiterals;

namespace {

bool isLineBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// One logical line: `equals` is the first '=' outside quotes (an index into the text), or -1.
struct IniLine {
    qsizetype start = 0;
    qsizetype length = 0;
    qsizetype equals = -1;
};

// Finds the next line at or after `at` and moves `at` past it. Blanks and line ends before it
// and comment lines at its start are skipped; a quoted part may run over line ends; an escaped
// character (or escaped line end) stays in the line; ';' outside quotes ends it.
bool nextLine(QByteArrayView text, qsizetype& at, IniLine& line)
{
    line = IniLine{at};
    while (line.start < text.size() && isLineBlank(text[line.start]))
        ++line.start;
    bool inQuotes = false;
    qsizetype i = line.start;
    while (i < text.size()) {
        const char c = text[i++];
        if (c == '=') {
            if (!inQuotes && line.equals < 0)
                line.equals = i - 1;
        } else if (c == '\n' || c == '\r') {
            if (i == line.start + 1) {
                ++line.start;
            } else if (!inQuotes) {
                --i;
                break;
            }
        } else if (c == '\\') {
            if (i < text.size()) {
                const char escaped = text[i++];
                if (i < text.size() &&
                    ((escaped == '\n' && text[i] == '\r') || (escaped == '\r' && text[i] == '\n')))
                    ++i;
            }
        } else if (c == '"') {
            inQuotes = !inQuotes;
        } else if (c == ';') {
            if (i == line.start + 1) {
                while (i < text.size() && text[i] != '\n' && text[i] != '\r')
                    ++i;
                while (i < text.size() && isLineBlank(text[i]))
                    ++i;
                line.start = i;
            } else if (!inQuotes) {
                --i;
                break;
            }
        }
    }
    at = i;
    line.length = i - line.start;
    return line.length > 0;
}

QString sectionPrefix(QByteArrayView header)
{
    qsizetype close = header.indexOf(']');
    if (close < 0)
        close = header.size();
    const QByteArrayView name = header.first(close).sliced(1).trimmed();
    if (name.compare("general", Qt::CaseInsensitive) == 0)
        return {};
    if (name.compare("%general", Qt::CaseInsensitive) == 0)
        return QString::fromLatin1(name.sliced(1)) + u'/';
    return ini::readKey(name) + u'/';
}

QMap<QString, QByteArray> splitSections(QByteArrayView text, bool& damaged)
{
    QMap<QString, QByteArray> sections;
    QString current;
    qsizetype currentStart = 0;
    // A section named by several headers gathers the lines of all of them.
    const auto flush = [&](qsizetype end) {
        QByteArray& lines = sections[current];
        if (!lines.isEmpty())
            lines += '\n';
        lines += text.sliced(currentStart, end - currentStart);
    };
    // Lines are looked for after a byte order mark, but the mark stays in the text of the keys
    // before the first header, where it is a line without '=' unless a key follows it at once.
    qsizetype at = text.startsWith("\xef\xbb\xbf") ? 3 : 0;
    IniLine line;
    while (nextLine(text, at, line)) {
        const QByteArrayView content = text.sliced(line.start, line.length);
        if (content.startsWith('[')) {
            flush(line.start);
            damaged = damaged || !content.contains(']');
            current = sectionPrefix(content);
            currentStart = at;
        }
    }
    flush(text.size());
    return sections;
}

void readSection(const QString& prefix, QByteArrayView lines, IniContent& content)
{
    qsizetype at = 0;
    IniLine line;
    while (nextLine(lines, at, line)) {
        const QByteArrayView lineText = lines.sliced(line.start, line.length);
        if (line.equals < 0) {
            content.damaged = content.damaged || !lineText.startsWith(';');
            continue;
        }
        const qsizetype equals = line.equals - line.start;
        const QString key = prefix + ini::readKey(lineText.first(equals).trimmed());
        // The last of a key's lines wins, also over one of another section of the same name.
        const QByteArrayView raw = lineText.sliced(equals + 1);
        const QVariant value = ini::readValue(raw);
        content.values.insert(key, value);
        // A value that is no plain text is written back as the file had it.
        if (value.typeId() == QMetaType::QString)
            content.rawValues.remove(key);
        else
            content.rawValues.insert(key, raw.trimmed().toByteArray());
        content.commaTexts = content.commaTexts || ini::commaText(raw);
    }
}

} // namespace

IniContent readIni(QByteArrayView text)
{
    IniContent content;
    const QMap<QString, QByteArray> sections = splitSections(text, content.damaged);
    for (auto it = sections.cbegin(); it != sections.cend(); ++it)
        readSection(it.key(), it.value(), content);
    return content;
}

} // namespace quillory
