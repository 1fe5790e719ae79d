// SPDX-License-Identifier: MIT
// Readers nobody here wrote read the Word 2007-365 files we write. python-docx finds one table,
// the heading row marked to repeat and one row per class, every text as typed, and the
// template's look; pandoc finds every text in order; LibreOffice lays the file out on as many
// pages, in the same lines and faces, as our own PDF of it. The schedules are made as the
// program makes them and read back from the working document, as the save does.
#include "document/document_file.h"
#include "document/docx/docx_writer.h"
#include "document/layout/fonts.h"
#include "document/paint/paged_output.h"
#include "document/pdf/pdf_output.h"
#include "tests/document/schedule_fixture.h"
#include "tests/support/pdf_tools.h"
#include "tests/support/processes.h"
#include "tests/support/test_files.h"
#include "tests/support/text_readers.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace quillory;
using namespace quillory::test;
using namespace Qt::StringLiterals;

enum class Reader { PythonDocx, Pandoc, LibreOffice };

namespace {

const QStringList Heading{u"Period"_s,   u"Monday"_s, u"Tuesday"_s,  u"Wednesday"_s,
                          u"Thursday"_s, u"Friday"_s, u"Saturday"_s, u"Sunday"_s};

// The left edges of the table's columns and its right edge, in points: the left margin, then
// the template's column widths.
const double ColumnEdges[] = {54, 112.6, 201.9, 291.25, 380.6, 469.95, 559.3, 648.65, 738};

// A short text in each script our fonts draw, one line in every cell.
Schedule scriptSchedule()
{
    const QStringList texts{
        u"\u05e9\u05dc\u05d5\u05dd"_s,                                      // Hebrew
        u"\u0645\u0631\u062d\u0628\u0627"_s,                                // Arabic
        u"\u0928\u092e\u0938\u094d\u0924\u0947"_s,                          // Devanagari
        u"\u09a8\u09ae\u09b8\u09cd\u0995\u09be\u09b0"_s,                    // Bengali
        u"\u0a38\u0a24\u0a3f"_s,                                            // Gurmukhi
        u"\u0aa8\u0aae\u0ab8\u0acd\u0aa4\u0ac7"_s,                          // Gujarati
        u"\u0b28\u0b2e\u0b38\u0b4d\u0b15\u0b3e\u0b30"_s,                    // Oriya
        u"\u0bb5\u0ba3\u0b95\u0bcd\u0b95\u0bae\u0bcd"_s,                    // Tamil
        u"\u0c28\u0c2e\u0c38\u0c4d\u0c24\u0c47"_s,                          // Telugu
        u"\u0ca8\u0cae\u0cb8\u0ccd\u0c95\u0cbe\u0cb0"_s,                    // Kannada
        u"\u0d28\u0d2e\u0d38\u0d4d\u0d24\u0d47"_s,                          // Malayalam
        u"\u0d86\u0dba\u0dd4\u0db6\u0ddd\u0dc0\u0db1\u0dca"_s,              // Sinhala
        u"\u0e2a\u0e27\u0e31\u0e2a\u0e14\u0e35"_s,                          // Thai
        u"\u6570\u5b66 \u5bbf\u984c"_s,                                     // Chinese
        u"\u3072\u3089\u304c\u306a"_s,                                      // Japanese
        u"\ud55c\uad6d\uc5b4"_s,                                            // Korean
        u"\u0395\u03bb\u03bb\u03ac\u03b4\u03b1 \u0420\u0443\u0441\u044c"_s, // Greek, Cyrillic
        u"Read \U0001F4DA"_s,                                               // emoji
    };
    Schedule schedule{u"Scripts"_s, u"Sep 6, 2021"_s, {}};
    for (const QString& text : texts)
        schedule.classes.append({text, QStringList(7, text)});
    return schedule;
}

// The hostile texts and characters no XML file can hold: a lone surrogate, U+FFFE and U+FFFF.
Schedule unholdableSchedule()
{
    Schedule schedule = hostileSchedule();
    const QStringList odd{u"a"_s + QChar(0xD800) + u"b"_s, QString(QChar(0xDC00)),
                          u"c\ufffed\uffff"_s};
    schedule.classes.append({u"odd"_s, odd + QStringList(4)});
    return schedule;
}

// A text as a reader gives it back: each line break (CR LF as one) a line feed, the control
// characters that are no text left out, the characters no XML can hold a replacement character.
QString asRead(QString text)
{
    text.replace(u"\r\n"_s, u"\n"_s);
    static const QRegularExpression breaks(u"[\\r\\x{b}\\x{2028}]"_s);
    static const QRegularExpression controls(u"[\\x{0}-\\x{8}\\x{c}\\x{e}-\\x{1f}]"_s);
    text.replace(breaks, u"\n"_s).remove(controls);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool pair =
            text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        if (pair)
            ++i;
        else if (text[i].isSurrogate() || text[i] == QChar(0xFFFE) || text[i] == QChar(0xFFFF))
            text[i] = QChar::ReplacementCharacter;
    }
    return text;
}

// The schedule's texts as a reader gives them back.
Schedule asRead(Schedule schedule)
{
    schedule.name = asRead(schedule.name);
    for (ClassRow& row : schedule.classes) {
        row.period = asRead(row.period);
        for (QString& day : row.days)
            day = asRead(day);
    }
    return schedule;
}

QJsonObject readWithPythonDocx(const QString& docx)
{
    const Run read = run(u"/usr/bin/python3"_s, {QStringLiteral(QUILLORY_DOCX_READER), docx});
    if (read.status != 0)
        qWarning("python-docx: %s", qPrintable(read.error));
    return QJsonDocument::fromJson(read.output.toUtf8()).object();
}

QStringList strings(const QJsonValue& array)
{
    QStringList texts;
    for (const QJsonValue& value : array.toArray())
        texts.append(value.toString());
    return texts;
}

// The lines of each column of the schedule, in reading order: words grouped by the column their
// middle lies in and by line (their bottoms within two points of each other), joined without
// blanks (poppler reads right-to-left words of one PDF letter by letter).
QList<QStringList> columnLines(const QString& pdf)
{
    QList<pdf::Word> words = pdf::words(pdf);
    const auto column = [](const pdf::Word& word) {
        const double middle = word.box.center().x();
        return int(std::upper_bound(std::begin(ColumnEdges), std::end(ColumnEdges), middle) -
                   std::begin(ColumnEdges));
    };
    std::stable_sort(words.begin(), words.end(), [&](const pdf::Word& a, const pdf::Word& b) {
        return std::tuple(column(a), a.page, a.box.bottom()) <
               std::tuple(column(b), b.page, b.box.bottom());
    });
    QList<QStringList> lines(std::size(ColumnEdges) + 1);
    const pdf::Word* last = nullptr;
    for (const pdf::Word& word : words) {
        QStringList& columnLines = lines[column(word)];
        if (last && column(*last) == column(word) && last->page == word.page &&
            word.box.bottom() - last->box.bottom() < 2)
            columnLines.last() += word.text;
        else
            columnLines.append(word.text);
        last = &word;
    }
    return lines;
}

// The faces a PDF embeds, without their subset tags and style separators.
QSet<QString> faces(const QString& pdf)
{
    QSet<QString> names;
    for (const pdf::Font& font : pdf::fonts(pdf))
        names.insert(font.name.section(u'+', -1).remove(u'-').remove(u"Regular"_s));
    return names;
}

} // namespace

class TestDocx : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void readersFindWhatWasTyped_data();
    void readersFindWhatWasTyped();
    void pythonDocxFindsTheTemplatesLook();

private:
    struct Written {
        Schedule schedule;
        QString docx;
        QString pdf;
    };

    void readWithPythonDocx(const Written& written);
    void readWithPandoc(const Written& written);
    void readWithLibreOffice(const Written& written);

    QTemporaryDir m_folder;
    TextReaders m_readers;
    LibreOffice m_libreOffice;
    QMap<QString, Written> m_written;
};

void TestDocx::initTestCase()
{
    QVERIFY(m_folder.isValid());
    doc::installFontSubstitutions();
    const std::pair<QString, Schedule> schedules[] = {
        {u"sample"_s, sampleSchedule()},
        {u"hostile"_s, unholdableSchedule()},
        {u"random"_s, randomSchedule(20261208, 40)},
        {u"scripts"_s, scriptSchedule()},
        {u"three pages"_s, Schedule{u"Pages"_s, u"Sep 6, 2021"_s, numberedClasses(30)}},
    };
    for (const auto& [name, schedule] : schedules) {
        const doc::Document document =
            doc::readDocumentFile(saveSchedule(schedule, m_folder.path(), name));
        const QString title = doc::scheduleTitle(document);
        const doc::DocxResult docx = doc::toDocx(document, title);
        QCOMPARE(docx.status, doc::DocxStatus::Written);
        const Written written{schedule, m_folder.filePath(name + u".docx"_s),
                              m_folder.filePath(name + u".pdf"_s)};
        QVERIFY(writeBytes(written.docx, docx.package));
        QVERIFY(writeBytes(written.pdf, doc::pdfFromDocument(document, title)));
        m_written.insert(name, written);
    }
    // LibreOffice is given the stand-ins our layout takes for the template's fonts.
    const QString config = m_folder.filePath(u"fonts.conf"_s);
    QVERIFY(writeBytes(config, R"(<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig>
  <include ignore_missing="yes">/etc/fonts/fonts.conf</include>
  <alias binding="same"><family>Century Gothic</family><prefer><family>URW Gothic</family></prefer></alias>
  <alias binding="same"><family>Arial</family><prefer><family>Liberation Sans</family></prefer></alias>
</fontconfig>
)"));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"FONTCONFIG_FILE"_s, config);
    m_libreOffice.setEnvironment(environment);
}

void TestDocx::readersFindWhatWasTyped_data()
{
    QTest::addColumn<Reader>("reader");
    QTest::addColumn<QString>("document");
    for (const QString& document : {u"sample"_s, u"hostile"_s, u"random"_s, u"scripts"_s}) {
        QTest::addRow("python-docx, %s", qPrintable(document)) << Reader::PythonDocx << document;
        QTest::addRow("pandoc, %s", qPrintable(document)) << Reader::Pandoc << document;
    }
    // Line breaks are compared where both break lines alike: LibreOffice also breaks after a
    // backslash, which our layout does not.
    for (const QString& document : {u"sample"_s, u"scripts"_s, u"three pages"_s})
        QTest::addRow("LibreOffice, %s", qPrintable(document)) << Reader::LibreOffice << document;
}

void TestDocx::readersFindWhatWasTyped()
{
    QFETCH(Reader, reader);
    QFETCH(QString, document);
    const Written& written = m_written[document];
    switch (reader) {
    case Reader::PythonDocx: readWithPythonDocx(written); break;
    case Reader::Pandoc: readWithPandoc(written); break;
    case Reader::LibreOffice: readWithLibreOffice(written); break;
    }
}

// One table: the heading row, repeated on every page, and one row per class, each text as
// typed.
void TestDocx::readWithPythonDocx(const Written& written)
{
    if (QProcess::execute(u"/usr/bin/python3"_s, {u"-c"_s, u"import docx"_s}) != 0)
        QSKIP("python-docx is not installed (Debian package python3-docx)");
    const QJsonObject read = ::readWithPythonDocx(written.docx);
    const Schedule schedule = asRead(written.schedule);
    QCOMPARE(read[u"paragraphs"_s].toArray().first().toString(),
             u"Homework for "_s + schedule.name + u"\tWeek of "_s + schedule.date);
    const QJsonArray tables = read[u"tables"_s].toArray();
    QCOMPARE(tables.size(), 1);
    const QJsonArray rows = tables.first().toArray();
    QCOMPARE(rows.size(), 1 + schedule.classes.size());
    QCOMPARE(strings(rows.first()), Heading);
    for (qsizetype i = 0; i < schedule.classes.size(); ++i) {
        QCOMPARE(strings(rows[i + 1]),
                 QStringList{schedule.classes[i].period} + schedule.classes[i].days);
    }
    QJsonArray headings = read[u"headings"_s].toArray().first().toArray();
    QCOMPARE(headings.first().toBool(), true);
    headings.removeFirst();
    QVERIFY(!headings.contains(QJsonValue(true)));
}

void TestDocx::readWithPandoc(const Written& written)
{
    if (!m_readers.isInstalled(TextReader::Pandoc))
        QSKIP("pandoc is not installed (Debian package pandoc)");
    const QString text = m_readers.text(TextReader::Pandoc, written.docx);
    QVERIFY2(!text.isEmpty(), "pandoc found no text");
    const QString outOfOrder = wordsOutOfOrder(text, expectedWords(asRead(written.schedule)));
    QVERIFY2(outOfOrder.isEmpty(), qPrintable(outOfOrder));
}

// As many pages, the same lines in every column, drawn in the same faces as our own PDF.
void TestDocx::readWithLibreOffice(const Written& written)
{
    if (!m_libreOffice.isInstalled() || !pdf::toolsInstalled())
        QSKIP("LibreOffice or poppler-utils is not installed (Debian packages "
              "libreoffice-writer-nogui, poppler-utils)");
    const QString theirs = written.docx + u".pdf"_s;
    QVERIFY(writeBytes(theirs, m_libreOffice.convert(written.docx, u"pdf"_s, u"pdf"_s)));
    const int pages = pdf::info(written.pdf).value(u"Pages"_s).toInt();
    QCOMPARE(pdf::info(theirs).value(u"Pages"_s).toInt(), pages);
    QList<QStringList> ours = columnLines(written.pdf);
    QList<QStringList> read = columnLines(theirs);
    // The heading row on every page. A row the page ends in goes on on the next page in our
    // layout (and Word's), LibreOffice moves it whole: the headings are left out of the order.
    for (qsizetype column = 1; column <= Heading.size(); ++column) {
        QCOMPARE(ours[column].removeAll(Heading[column - 1]), pages);
        QCOMPARE(read[column].removeAll(Heading[column - 1]), pages);
    }
    for (qsizetype column = 0; column < ours.size(); ++column)
        QCOMPARE(read[column], ours[column]);
    QCOMPARE(faces(theirs), faces(written.pdf));
}

// The page, the title's looks, the columns, rows, shading, alignment, borders and padding.
void TestDocx::pythonDocxFindsTheTemplatesLook()
{
    if (QProcess::execute(u"/usr/bin/python3"_s, {u"-c"_s, u"import docx"_s}) != 0)
        QSKIP("python-docx is not installed (Debian package python3-docx)");
    const QJsonObject look =
        ::readWithPythonDocx(m_written[u"sample"_s].docx)[u"look"_s].toObject();
    const QByteArray expected = R"json({
        "page": [15840, 12240, "LANDSCAPE (1)", 1080, 1080, 1080, 1080],
        "title": [["Homework for Dana Whitlow", true, 16.0, null],
                  ["\tWeek of Sep 6, 2021", null, 16.0, "999999"]],
        "columns": [1172, 1786, 1787, 1787, 1787, 1787, 1787, 1787],
        "rows": [[420, "AT_LEAST (1)"], [792, "AT_LEAST (1)"]],
        "fills": [["D9E3EF", "D9E3EF", "D9E3EF", "D9E3EF", "D9E3EF", "D9E3EF", "D9E3EF", "D9E3EF"],
                  ["D9E3EF", "F3F3F3", null, "F3F3F3", null, "F3F3F3", null, "F3F3F3"]],
        "cells": [["CENTER (1)", true, "CENTER (1)"], ["None", false, "None"]],
        "borders": ["2", "2", "2", "2"],
        "padding": ["115", "115"]})json";
    QCOMPARE(look, QJsonDocument::fromJson(expected).object());
}

QTEST_MAIN(TestDocx)
#include "test_docx.moc"
