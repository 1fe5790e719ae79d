// SPDX-License-Identifier: MIT

#include "tests/support/text_readers.h"

#include "tests/support/processes.h"
#include "tests/support/test_files.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <array>

namespace quillory::test {

using namespace Qt::StringLiterals;

namespace {

constexpr int ReaderTimeout = 240'000;

// Each reader's name and Debian package, in the order of TextReader.
constexpr struct {
    QStringView name;
    QStringView package;
} Readers[] = {{u"LibreOffice", u"libreoffice-writer-nogui"},
               {u"AbiWord", u"abiword"},
               {u"pandoc", u"pandoc"}};

// Runs a program to its end; its standard output, or nothing when it failed.
QString read(const QString& program, const QStringList& arguments,
             const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment())
{
    const Run ran = run(program, arguments, ReaderTimeout, environment);
    if (ran.status == 0)
        return ran.output;
    qWarning("%s: %s", qPrintable(program), qPrintable(ran.error));
    return {};
}

// Pandoc's HTML without its markup: every tag ends a line, entities become characters.
QString htmlText(const QString& html)
{
    static const QRegularExpression tag(u"<[^>]*>"_s);
    static const QRegularExpression numeric(u"&#(\\d+);"_s);
    QString text = html;
    text.replace(tag, u"\n"_s);
    QRegularExpressionMatch match;
    while ((match = numeric.match(text)).hasMatch())
        text.replace(match.capturedStart(), match.capturedLength(),
                     QString::fromUcs4(std::array{char32_t(match.captured(1).toUInt())}.data(), 1));
    for (const auto& [entity, character] : {std::pair{u"&lt;"_s, u"<"_s},
                                            {u"&gt;"_s, u">"_s},
                                            {u"&quot;"_s, u"\""_s},
                                            {u"&#39;"_s, u"'"_s},
                                            {u"&amp;"_s, u"&"_s}})
        text.replace(entity, character);
    return text;
}

} // namespace

TextReaders::TextReaders()
    : m_abiWord(QStandardPaths::findExecutable(u"abiword"_s))
    , m_pandoc(QStandardPaths::findExecutable(u"pandoc"_s))
{
}

QString TextReaders::name(TextReader reader)
{
    return Readers[int(reader)].name.toString();
}

QString TextReaders::package(TextReader reader)
{
    return Readers[int(reader)].package.toString();
}

bool TextReaders::isInstalled(TextReader reader) const
{
    switch (reader) {
    case TextReader::LibreOffice: return m_libreOffice.isInstalled();
    case TextReader::AbiWord: return !m_abiWord.isEmpty();
    case TextReader::Pandoc: break;
    }
    return !m_pandoc.isEmpty();
}

QString TextReaders::text(TextReader reader, const QString& document)
{
    switch (reader) {
    case TextReader::LibreOffice:
        return QString::fromUtf8(
            m_libreOffice.convert(document, u"txt:Text (encoded):UTF8"_s, u"txt"_s));
    case TextReader::AbiWord: return abiWordText(document);
    case TextReader::Pandoc: break;
    }
    return pandocText(document);
}

// AbiWord keeps its settings in the home folder: it gets a private one.
QString TextReaders::abiWordText(const QString& document)
{
    const QString output = m_folder.filePath(QFileInfo(document).completeBaseName() + u".txt"_s);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"HOME"_s, m_folder.path());
    read(m_abiWord, {u"--to=txt"_s, u"--to-name="_s + output, document}, environment);
    // Its direction marks around Hebrew, and the overrides it puts around the blanks of a
    // stretch marked as a complex script's, are not part of the text.
    static const QRegularExpression marks(u"[\u200E\u200F\u202A-\u202E]"_s);
    return QString::fromUtf8(readBytes(output)).remove(marks);
}

QString TextReaders::pandocText(const QString& document)
{
    const QString format = QFileInfo(document).suffix() == u"docx"_s ? u"docx"_s : u"rtf"_s;
    return htmlText(
        read(m_pandoc, {u"--from="_s + format, u"--to=html"_s, u"--wrap=none"_s, document}));
}

} // namespace quillory::test
