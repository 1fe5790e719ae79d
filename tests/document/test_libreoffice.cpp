// SPDX-License-Identifier: MIT
// LibreOffice as an independent reader of the RTF we write: a filled schedule, converted to
// DOCX, keeps its page, column widths, row heights (none kept from breaking) and shading;
// converted to PDF, it draws Thai, Arabic and Chinese in the faces the file names for them.
#include "document/rtf/model.h"
#include "document/rtf/rtf_reader.h"
#include "document/rtf/rtf_writer.h"
#include "resources/schedule_template.h"
#include "tests/support/libreoffice.h"
#include "tests/support/pdf_tools.h"
#include "tests/support/test_files.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

using namespace quillory::doc;
using quillory::templateBytes;
using namespace Qt::StringLiterals;

namespace {

const QString PupilName = u"Ada \u00c9lo\u00efse {Lovelace}"_s;
const QString ScheduleDate = u"Sep 6, 2021"_s;
// Each class: period, then Monday to Sunday; "|" separates the paragraphs of a cell.
const QStringList ClassTexts[] = {
    {u"1"_s, u"Algebra p. 12"_s, {}, u"Essay \\par {draft}"_s, {}, u"Quiz"_s, {}, {}},
    {u"2nd"_s,
     u"Read ch. 3|Answer 1-5"_s,
     u"Caf\u00e9 words"_s,
     {},
     u"\u05E9\u05DC\u05D5\u05DD"_s,
     {},
     u"Lab report"_s,
     u"Rest"_s},
    {u"Art"_s, u"ทำแบบฝึกหัด"_s, u"الأسئلة"_s, u"作业"_s, {}, {}, {}, u"Sketch a; b"_s},
};

// Writes the RTF straight into a file, as the program does.
class FileSink final : public RtfSink {
public:
    explicit FileSink(QFile& file)
        : m_file(file)
    {
    }
    void write(QByteArrayView bytes) override { m_file.write(bytes.data(), bytes.size()); }

private:
    QFile& m_file;
};

void replaceInRuns(Paragraph& paragraph, const QString& placeholder, const QString& text)
{
    for (Run& run : paragraph.runs)
        run.text.replace(placeholder, text);
}

// The template filled as the program fills it: name and date in the title, one row per class
// copied from the template's data row.
Document filledSchedule()
{
    Document document = readRtf(templateBytes()).document.value();
    auto& title = std::get<Paragraph>(document.body[0]);
    replaceInRuns(title, u"[YourName]"_s, PupilName);
    replaceInRuns(title, u"[Date]"_s, ScheduleDate);
    auto& table = std::get<Table>(document.body[2]);
    const Row dataRow = table.rows[1];
    table.rows.pop_back();
    for (const QStringList& texts : ClassTexts) {
        Row row = dataRow;
        for (qsizetype c = 0; c < texts.size(); ++c) {
            Cell& cell = row.cells[std::size_t(c)];
            const Paragraph empty = cell.paragraphs[0];
            cell.paragraphs.clear();
            for (const QString& text : texts[c].split(u'|')) {
                Paragraph paragraph = empty;
                if (!text.isEmpty())
                    paragraph.runs.push_back(Run{text, empty.mark});
                cell.paragraphs.push_back(paragraph);
            }
        }
        table.rows.push_back(row);
    }
    return document;
}

// What LibreOffice's DOCX says about the page and the table.
struct DocxFacts {
    QMap<QString, QString> pageSize, margins;
    QList<int> columns;
    QList<std::pair<int, QString>> rowHeights; ///< value and rule
    QList<QStringList> fills;                  ///< per row, per cell; empty: no fill
    QStringList borders;                       ///< each cell side's line: style/size/colour
    QMap<QString, int> padding;                ///< cell margins by side
    int rowsKeptTogether = 0;                  ///< rows that may not break across pages
};

DocxFacts readDocx(const QByteArray& xml)
{
    DocxFacts facts;
    QXmlStreamReader reader(xml);
    const auto attribute = [&](const char* name) {
        return reader.attributes().value(u"w:"_s + QLatin1StringView(name)).toString();
    };
    while (reader.readNextStartElement() || !reader.atEnd()) {
        if (!reader.isStartElement())
            continue;
        const QStringView name = reader.qualifiedName();
        if (name == u"w:pgSz") {
            for (const char* key : {"w", "h", "orient"})
                facts.pageSize[QLatin1StringView(key)] = attribute(key);
        } else if (name == u"w:pgMar") {
            for (const char* key : {"left", "right", "top", "bottom"})
                facts.margins[QLatin1StringView(key)] = attribute(key);
        } else if (name == u"w:gridCol") {
            facts.columns.append(attribute("w").toInt());
        } else if (name == u"w:tr") {
            facts.fills.append(QStringList());
        } else if (name == u"w:tc") {
            facts.fills.last().append(QString());
        } else if (name == u"w:shd" && !facts.fills.isEmpty() && !facts.fills.last().isEmpty()) {
            facts.fills.last().last() = attribute("fill");
        } else if (name == u"w:cantSplit") {
            ++facts.rowsKeptTogether;
        } else if (name == u"w:trHeight") {
            facts.rowHeights.append({attribute("val").toInt(), attribute("hRule")});
        } else if (QStringList{u"w:top"_s, u"w:bottom"_s, u"w:start"_s, u"w:end"_s}.contains(
                       name)) {
            if (!attribute("val").isEmpty())
                facts.borders.append(attribute("val") + u'/' + attribute("sz") + u'/' +
                                     attribute("color"));
            else
                facts.padding[name.toString()] = attribute("w").toInt();
        }
    }
    return facts;
}

} // namespace

class TestLibreOffice : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void keepsPageAndTable();
    void drawsEachScriptInItsFace();

private:
    QByteArray convert(const QString& filter, const QString& extension);

    quillory::test::LibreOffice m_libreOffice;
    QTemporaryDir m_folder;
    QString m_rtfPath;
};

void TestLibreOffice::initTestCase()
{
    if (!m_libreOffice.isInstalled())
        QSKIP("LibreOffice (soffice) is not installed");
    QVERIFY(m_folder.isValid());
    m_rtfPath = m_folder.filePath(u"schedule.doc"_s);
    QFile file(m_rtfPath);
    QVERIFY(file.open(QIODevice::WriteOnly));
    FileSink sink(file);
    writeRtf(filledSchedule(), sink);
    file.close();
    QCOMPARE(file.error(), QFile::NoError);
}

QByteArray TestLibreOffice::convert(const QString& filter, const QString& extension)
{
    return m_libreOffice.convert(m_rtfPath, filter, extension);
}

void TestLibreOffice::keepsPageAndTable()
{
    const QByteArray docx = convert(u"docx"_s, u"docx"_s);
    QVERIFY2(!docx.isEmpty(), "LibreOffice wrote no DOCX");
    QVERIFY(quillory::test::writeBytes(m_folder.filePath(u"schedule.docx"_s), docx));
    QProcess unzip;
    unzip.start(u"unzip"_s,
                {u"-p"_s, m_folder.filePath(u"schedule.docx"_s), u"word/document.xml"_s});
    QVERIFY(unzip.waitForFinished(60'000));
    const DocxFacts facts = readDocx(unzip.readAllStandardOutput());

    QCOMPARE(facts.pageSize.value(u"w"_s), u"15840"_s);
    QCOMPARE(facts.pageSize.value(u"h"_s), u"12240"_s);
    QCOMPARE(facts.pageSize.value(u"orient"_s), u"landscape"_s);
    for (const QString& side : {u"left"_s, u"right"_s, u"top"_s, u"bottom"_s})
        QCOMPARE(facts.margins.value(side), u"1080"_s);

    // LibreOffice keeps lengths in 1/100 mm: widths come back within a few twips.
    const int widths[] = {1172, 1786, 1787, 1787, 1787, 1787, 1787, 1787};
    QCOMPARE(facts.columns.size(), qsizetype(std::size(widths)));
    for (std::size_t i = 0; i < std::size(widths); ++i)
        QVERIFY2(qAbs(facts.columns[qsizetype(i)] - widths[i]) <= 3,
                 qPrintable(QString::number(i)));

    QCOMPARE(facts.rowsKeptTogether, 0);
    QCOMPARE(facts.rowHeights.size(), qsizetype(1 + std::size(ClassTexts)));
    QCOMPARE(facts.rowHeights[0], std::pair(420, u"atLeast"_s));
    for (qsizetype row = 1; row < facts.rowHeights.size(); ++row)
        QCOMPARE(facts.rowHeights[row], std::pair(792, u"atLeast"_s));

    const QString blueGrey = u"D9E3EF"_s, grey = u"F3F3F3"_s;
    QCOMPARE(facts.fills.size(), qsizetype(1 + std::size(ClassTexts)));
    QCOMPARE(facts.fills[0], QStringList(8, blueGrey));
    const QStringList classRow{blueGrey, grey, {}, grey, {}, grey, {}, grey};
    for (qsizetype row = 1; row < facts.fills.size(); ++row) {
        QStringList fills = facts.fills[row];
        fills.replaceInStrings(u"auto"_s, QString());
        QCOMPARE(fills, classRow);
    }

    // Quarter-point (size 2 in eighths of a point) single black lines on every side of every
    // cell, and the cells' left and right padding.
    QCOMPARE(facts.borders.size(), 4 * 8 * (1 + qsizetype(std::size(ClassTexts))));
    QCOMPARE(QSet<QString>(facts.borders.begin(), facts.borders.end()),
             QSet<QString>{u"single/2/000000"_s});
    QCOMPARE(facts.padding.value(u"w:start"_s), 115);
    QCOMPARE(facts.padding.value(u"w:end"_s), 115);
}

// Without faces named for them, LibreOffice drew Thai and Arabic in Unifont, a bitmap face.
void TestLibreOffice::drawsEachScriptInItsFace()
{
    if (!quillory::test::pdf::toolsInstalled())
        QSKIP("poppler-utils is not installed");
    const QString pdf = m_folder.filePath(u"schedule.pdf"_s);
    QVERIFY(quillory::test::writeBytes(pdf, convert(u"pdf"_s, u"pdf"_s)));
    QStringList faces;
    for (const quillory::test::pdf::Font& font : quillory::test::pdf::fonts(pdf))
        faces << font.name.section(u'+', 1);
    faces.sort();
    QCOMPARE(faces, (QStringList{u"DejaVuSans"_s, u"DejaVuSans-Bold"_s, u"NotoSansThaiUI-Regular"_s,
                                 u"WenQuanYiMicroHei"_s}));
}

QTEST_APPLESS_MAIN(TestLibreOffice)
#include "test_libreoffice.moc"
