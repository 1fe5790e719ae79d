// SPDX-License-Identifier: MIT
// Readers nobody here wrote read the Word 2007-365 files we write: python-docx finds every text
// as typed and pandoc its words, hostile ones included; python-docx finds one table, the heading
// row marked to repeat and one row per class, and the template's look; LibreOffice lays the file
// out on as many pages, in the same lines and faces, as our own PDF of it. The schedules are made
// as the program makes them and read back from the working document, as the save does.
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

// A text typed on a Wednesday, and that text as a reader gives it back.
struct HostileText {
    const char* name;
    QString typed;
    QString readBack;
};

const QString Long600 = u"Übung 7, Teil ½; 😀 שלום \\ "_s.repeated(24);

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

// The current row's name, for the files made for it.
QString dataTag()
{
    return QString::fromUtf8(QTest::currentDataTag());
}

// The faces a PDF embeds, without their subset tags and style separators.
QSet<QString> faces(const QString& pdf)
{
    QSet<QString> names;
    for (const pdf::Font& font : pdf::fonts(pdf))
        names.insert(font.name.section(u'+', -1).remove(u'-').remove(u"Regular"_s));
    return names;
}

// The texts each typed on a Wednesday, one class each, the class named after the text.
const QList<HostileText>& hostileTexts()
{
    const QString unholdable =
        u"a"_s + QChar(0xD800) + u"b "_s + QChar(0xDC00) + u" c\ufffed\uffff"_s;
    static const QList<HostileText> table{
        {"XML signs", u"<a&b> \"]]> 'x' &amp;"_s, u"<a&b> \"]]> 'x' &amp;"_s},
        {"RTF signs", u"{\\rtf1\\ansi \\par} \\'e9 \\u1234? {{x}"_s,
         u"{\\rtf1\\ansi \\par} \\'e9 \\u1234? {{x}"_s},
        {"line breaks", u"one\r\ntwo\rthree\n\nfour"_s, u"one\ntwo\nthree\n\nfour"_s},
        {"manual line breaks", u"one\vtwo\u2028three"_s, u"one\ntwo\nthree"_s},
        {"control characters", u"tab\tkept, bell\a, nul\0 gone"_s, u"tab\tkept, bell, nul gone"_s},
        {"blanks kept", u"  two blanks before and after  "_s, u"  two blanks before and after  "_s},
        {"emoji", u"Read 📚, 👩🏽‍🔬 lab 🇫🇷"_s,
         u"Read 📚, 👩🏽‍🔬 lab 🇫🇷"_s},
        {"right to left", u"اقرأ الفصل ٣\nשיעורי בית"_s, u"اقرأ الفصل ٣\nשיעורי בית"_s},
        {"every script", u"数学の宿題 한국어 नमस्ते தமிழ் สวัสดี Ελληνικά Русский"_s,
         u"数学の宿題 한국어 नमस्ते தமிழ் สวัสดี Ελληνικά Русский"_s},
        {"what no XML holds", unholdable, u"a\ufffdb \ufffd c\ufffdd\ufffd"_s},
        {"600 characters", Long600, Long600},
    };
    return table;
}

} // namespace

Q_DECLARE_METATYPE(HostileText)
Q_DECLARE_METATYPE(quillory::test::Schedule)

class TestDocx : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void hostileTexts_data();
    void hostileTexts();
    void pythonDocxFindsOneRowPerClass();
    void libreOfficeLaysItOutAsWeDo_data();
    void libreOfficeLaysItOutAsWeDo();
    void pythonDocxFindsTheTemplatesLook();

private:
    // Saves the schedule as the program does, then as a .docx file and as our PDF; returns the
    // .docx file's path.
    QString written(const Schedule& schedule, const QString& name);

    QTemporaryDir m_folder;
    TextReaders m_readers;
    LibreOffice m_libreOffice;
    bool m_pythonDocx = false;
    QJsonArray m_hostileRows; ///< python-docx's rows of the hostile texts' table
    QString m_hostileText;    ///< pandoc's text of it
};

void TestDocx::initTestCase()
{
    QVERIFY(m_folder.isValid());
    doc::installFontSubstitutions();
    m_pythonDocx = QProcess::execute(u"/usr/bin/python3"_s, {u"-c"_s, u"import docx"_s}) == 0;
    Schedule hostile{u"Pat"_s, u"Sep 6, 2021"_s, {}};
    for (const HostileText& text : ::hostileTexts())
        hostile.classes.append(
            {QString::fromUtf8(text.name), {{}, {}, text.typed, {}, {}, {}, {}}});
    const QString docx = written(hostile, u"hostile"_s);
    if (m_pythonDocx)
        m_hostileRows = readWithPythonDocx(docx)[u"tables"_s][0].toArray();
    if (m_readers.isInstalled(TextReader::Pandoc))
        m_hostileText = m_readers.text(TextReader::Pandoc, docx);
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

QString TestDocx::written(const Schedule& schedule, const QString& name)
{
    const doc::Document document =
        doc::readDocumentFile(saveSchedule(schedule, m_folder.path(), name));
    const QString title = doc::scheduleTitle(document);
    const doc::DocxResult docx = doc::toDocx(document, title);
    const QString path = m_folder.filePath(name + u".docx"_s);
    if (docx.status != doc::DocxStatus::Written || !writeBytes(path, docx.package) ||
        !writeBytes(m_folder.filePath(name + u".pdf"_s), doc::pdfFromDocument(document, title)))
        qWarning("%s could not be written: %s", qPrintable(name), qPrintable(docx.reason));
    return path;
}

void TestDocx::hostileTexts_data()
{
    QTest::addColumn<int>("row");
    for (int row = 0; row < ::hostileTexts().size(); ++row)
        QTest::newRow(::hostileTexts()[row].name) << row;
}

// python-docx reads the text as typed in its cell, pandoc reads its words after the class's.
void TestDocx::hostileTexts()
{
    QFETCH(int, row);
    const HostileText& text = ::hostileTexts()[row];
    if (m_hostileRows.isEmpty() && m_hostileText.isEmpty())
        QSKIP("neither python-docx nor pandoc is installed (Debian python3-docx, pandoc)");
    const QString period = QString::fromUtf8(text.name);
    if (!m_hostileRows.isEmpty())
        QCOMPARE(strings(m_hostileRows[row + 1]),
                 (QStringList{period, {}, {}, text.readBack, {}, {}, {}, {}}));
    if (!m_hostileText.isEmpty()) {
        const qsizetype at = m_hostileText.indexOf(u'\n' + period + u'\n');
        QVERIFY(at >= 0);
        static const QRegularExpression blanks(u"\\s+"_s);
        const QString outOfOrder = wordsOutOfOrder(
            m_hostileText.sliced(at),
            QString(period + u' ' + text.readBack).split(blanks, Qt::SkipEmptyParts));
        QVERIFY2(outOfOrder.isEmpty(), qPrintable(outOfOrder));
    }
}

// The title, one table: the heading row, repeated on every page, and one row per class.
void TestDocx::pythonDocxFindsOneRowPerClass()
{
    if (!m_pythonDocx)
        QSKIP("python-docx is not installed (Debian package python3-docx)");
    const Schedule sample = sampleSchedule();
    const QJsonObject read = readWithPythonDocx(written(sample, u"rows"_s));
    QCOMPARE(read[u"paragraphs"_s][0].toString(),
             u"Homework for Dana Whitlow\tWeek of Sep 6, 2021"_s);
    QCOMPARE(read[u"tables"_s].toArray().size(), 1);
    const QJsonArray rows = read[u"tables"_s][0].toArray();
    QCOMPARE(rows.size(), 1 + sample.classes.size());
    QCOMPARE(strings(rows[0]), Heading);
    for (qsizetype i = 0; i < sample.classes.size(); ++i)
        QCOMPARE(strings(rows[i + 1]),
                 QStringList{sample.classes[i].period} + sample.classes[i].days);
    QJsonArray headings = read[u"headings"_s][0].toArray();
    QCOMPARE(headings.takeAt(0).toBool(), true);
    QVERIFY(!headings.contains(QJsonValue(true)));
}

// Line breaks are compared where both break lines alike: LibreOffice also breaks after a
// backslash, which our layout does not.
void TestDocx::libreOfficeLaysItOutAsWeDo_data()
{
    QTest::addColumn<Schedule>("schedule");
    QTest::newRow("sample") << sampleSchedule();
    QTest::newRow("scripts") << scriptSchedule();
    QTest::newRow("three pages") << Schedule{u"Pages"_s, u"Sep 6, 2021"_s, numberedClasses(30)};
}

// As many pages, the same lines in every column, drawn in the same faces as our own PDF.
void TestDocx::libreOfficeLaysItOutAsWeDo()
{
    QFETCH(Schedule, schedule);
    if (!m_libreOffice.isInstalled() || !pdf::toolsInstalled())
        QSKIP("LibreOffice or poppler-utils is not installed (Debian packages "
              "libreoffice-writer-nogui, poppler-utils)");
    const QString docx = written(schedule, dataTag());
    const QString ours = m_folder.filePath(dataTag() + u".pdf"_s);
    const QString theirs = docx + u".pdf"_s;
    QVERIFY(writeBytes(theirs, m_libreOffice.convert(docx, u"pdf"_s, u"pdf"_s)));
    const int pages = pdf::info(ours).value(u"Pages"_s).toInt();
    QCOMPARE(pdf::info(theirs).value(u"Pages"_s).toInt(), pages);
    QList<QStringList> ourLines = columnLines(ours);
    QList<QStringList> read = columnLines(theirs);
    // The heading row on every page. A row the page ends in goes on on the next page in our
    // layout (and Word's), LibreOffice moves it whole: the headings are left out of the order.
    for (qsizetype column = 1; column <= Heading.size(); ++column) {
        QCOMPARE(ourLines[column].removeAll(Heading[column - 1]), pages);
        QCOMPARE(read[column].removeAll(Heading[column - 1]), pages);
    }
    for (qsizetype column = 0; column < ourLines.size(); ++column)
        QCOMPARE(read[column], ourLines[column]);
    QCOMPARE(faces(theirs), faces(ours));
}

// The page, the title's looks, the columns, rows, shading, alignment, borders and padding.
void TestDocx::pythonDocxFindsTheTemplatesLook()
{
    if (!m_pythonDocx)
        QSKIP("python-docx is not installed (Debian package python3-docx)");
    const QJsonObject look =
        readWithPythonDocx(written(sampleSchedule(), u"look"_s))[u"look"_s].toObject();
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
