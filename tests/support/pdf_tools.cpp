// SPDX-License-Identifier: MIT

#include "tests/support/pdf_tools.h"

#include "tests/support/processes.h"

#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>
#include <QXmlStreamReader>

namespace quillory::test::pdf {

using namespace Qt::StringLiterals;

namespace {

QString run(const QString& program, const QStringList& arguments)
{
    const Run ran = test::run(program, arguments, 120000);
    if (ran.status != 0)
        QTest::qFail(qPrintable(program + u" failed: "_s + ran.error), __FILE__, __LINE__);
    return ran.output;
}

QRectF boxOf(const QXmlStreamAttributes& attributes)
{
    const auto number = [&](const char* name) {
        return attributes.value(QLatin1StringView(name)).toDouble();
    };
    return QRectF(QPointF(number("xMin"), number("yMin")), QPointF(number("xMax"), number("yMax")));
}

} // namespace

bool toolsInstalled()
{
    for (const char* tool : {"pdfinfo", "pdffonts", "pdftotext"}) {
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            return false;
    }
    return true;
}

QMap<QString, QString> info(const QString& path)
{
    QMap<QString, QString> fields;
    for (const QString& line : run(u"pdfinfo"_s, {u"-enc"_s, u"UTF-8"_s, path}).split(u'\n')) {
        const qsizetype colon = line.indexOf(u':');
        if (colon > 0)
            fields.insert(line.left(colon), line.mid(colon + 1).trimmed());
    }
    return fields;
}

QList<Font> fonts(const QString& path)
{
    // The columns: name, type (may hold blanks), encoding, emb, sub, uni, object, id.
    static const QRegularExpression row(
        u"^(\\S+)\\s+.*\\s(yes|no)\\s+(yes|no)\\s+(yes|no)\\s+\\d+\\s+\\d+\\s*$"_s);
    QList<Font> found;
    const QStringList lines = run(u"pdffonts"_s, {path}).split(u'\n');
    for (qsizetype i = 2; i < lines.size(); ++i) {
        const QRegularExpressionMatch match = row.match(lines[i]);
        if (match.hasMatch())
            found.append({match.captured(1), match.captured(2) == u"yes"_s});
    }
    return found;
}

QString text(const QString& path)
{
    return run(u"pdftotext"_s, {u"-enc"_s, u"UTF-8"_s, u"-raw"_s, path, u"-"_s});
}

QList<Word> words(const QString& path)
{
    QXmlStreamReader xml(run(u"pdftotext"_s, {u"-enc"_s, u"UTF-8"_s, u"-bbox"_s, path, u"-"_s}));
    QList<Word> found;
    int page = -1;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"page"_s)
            ++page;
        else if (xml.name() == u"word"_s) {
            const QRectF box = boxOf(xml.attributes());
            found.append({page, xml.readElementText(), box});
        }
    }
    return found;
}

QStringList lines(const QString& path)
{
    QXmlStreamReader xml(
        run(u"pdftotext"_s, {u"-enc"_s, u"UTF-8"_s, u"-bbox-layout"_s, path, u"-"_s}));
    QStringList found;
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"line"_s)
            found.append(QString());
        else if (xml.tokenType() == QXmlStreamReader::StartElement && xml.name() == u"word"_s) {
            QString& line = found.last();
            line += (line.isEmpty() ? u""_s : u" "_s) + xml.readElementText();
        }
    }
    return found;
}

} // namespace quillory::test::pdf
