// The RTF writer and reader, and the schedule template they carry.
#include "document/model.h"
#include "document/rtf_reader.h"
#include "document/rtf_writer.h"
#include "document/schedule_template.h"

#include <QRandomGenerator>
#include <QTest>

using namespace quillory::doc;
using namespace Qt::StringLiterals;

namespace {

Paragraph paragraphOf(const QString& text, CharFormat format = {})
{
    Paragraph paragraph;
    if (!text.isEmpty())
        paragraph.runs.push_back(Run{text, format});
    return paragraph;
}

Document documentWith(std::vector<Block> body)
{
    Document document;
    document.body = std::move(body);
    return document;
}

// The template as a student sees it: the title line, an empty paragraph, the week's table with
// its heading row and one empty data row, and an empty paragraph.
Document expectedTemplate()
{
    const CharFormat normal;
    CharFormat name = normal;
    name.halfPoints = 32;
    name.bold = true;
    CharFormat date = normal;
    date.halfPoints = 32;
    date.color = qRgb(153, 153, 153);
    const QRgb blueGrey = qRgb(217, 227, 239);

    Paragraph title;
    title.runs = {Run{u"Homework for [YourName]"_s, name}, Run{u"\tWeek of [Date]"_s, date}};
    title.mark = date;

    Row heading{{}, 420, true};
    Row data{{}, 792, false};
    const QString days[] = {u"Period"_s,   u"Monday"_s, u"Tuesday"_s,  u"Wednesday"_s,
                            u"Thursday"_s, u"Friday"_s, u"Saturday"_s, u"Sunday"_s};
    for (int column = 0; column < 8; ++column) {
        Cell head{{paragraphOf(days[column])},
                  column == 0   ? 1172
                  : column == 1 ? 1786
                                : 1787,
                  blueGrey,
                  VerticalAlignment::Center,
                  false};
        head.paragraphs[0].format.alignment = Alignment::Center;
        heading.cells.push_back(head);
        Cell cell{{Paragraph{}}, head.width, std::nullopt, VerticalAlignment::Top, false};
        if (column == 0)
            cell = Cell{{Paragraph{}}, head.width, blueGrey, VerticalAlignment::Center, true};
        else if (column % 2 == 1) // Monday, Wednesday, Friday, Sunday
            cell.shading = qRgb(243, 243, 243);
        cell.paragraphs[0].format.alignment = head.paragraphs[0].format.alignment;
        if (column > 0)
            cell.paragraphs[0].format.alignment = Alignment::Left;
        data.cells.push_back(cell);
    }
    Table table;
    table.rows = {heading, data};
    return documentWith({title, Paragraph{}, table, Paragraph{}});
}

// Random documents in the form a word processor holds: runs not empty and unlike their
// neighbours, every table with rows, every row with cells, no two tables side by side.
class RandomDocuments {
public:
    explicit RandomDocuments(quint32 seed)
        : m_random(seed)
    {
    }

    Document next()
    {
        Document document;
        document.page = PageSetup{length(), length(), chance(2), length(), length(),
                                  length(), length(), length(),  length(), length()};
        document.base = format();
        for (int i = number(6); i > 0; --i) {
            const bool afterTable =
                !document.body.empty() && std::holds_alternative<Table>(document.body.back());
            if (afterTable || chance(3))
                document.body.emplace_back(paragraph());
            else
                document.body.emplace_back(table());
        }
        for (int i = number(2); i > 0; --i)
            document.shapes.push_back(Shape{paragraphs(0)});
        return document;
    }

private:
    int number(int most) { return int(m_random.bounded(most + 1)); }
    bool chance(int oneIn) { return m_random.bounded(oneIn) == 0; }
    int length() { return number(kMaxLength); }
    QRgb color() { return qRgb(number(255), number(255), number(255)); }

    QString text()
    {
        static const QString pieces[] = {u"a"_s,      u"Z9 "_s,        u"\\"_s,
                                         u"{"_s,      u"}"_s,          u";"_s,
                                         u"\t"_s,     u"\u0001"_s,     u"\u00e9"_s,
                                         u"\u05D0"_s, u"\U0001F600"_s, QString(QChar(0xDC00)),
                                         u"\\par "_s};
        QString text;
        for (int i = number(6); i >= 0; --i)
            text += pieces[number(std::size(pieces) - 1)];
        return text;
    }

    CharFormat format()
    {
        static const QString fonts[] = {u"Century Gothic"_s, u"Arial"_s, u"A;B {x}"_s, QString()};
        return CharFormat{fonts[number(3)], 1 + number(kMaxHalfPoints - 1), chance(2),
                          chance(2) ? std::optional<QRgb>(color()) : std::nullopt};
    }

    Paragraph paragraph()
    {
        Paragraph paragraph;
        paragraph.format.alignment = Alignment(number(3));
        for (int i = number(3); i > 0; --i)
            paragraph.format.tabStops.push_back(length());
        for (int i = number(4); i > 0; --i) {
            Run run{text(), format()};
            if (paragraph.runs.empty() || paragraph.runs.back().format != run.format)
                paragraph.runs.push_back(run);
        }
        paragraph.mark = format();
        return paragraph;
    }

    std::vector<Paragraph> paragraphs(int fewest)
    {
        std::vector<Paragraph> paragraphs;
        for (int i = fewest + number(2); i > 0; --i)
            paragraphs.push_back(paragraph());
        return paragraphs;
    }

    Table table()
    {
        Table table;
        table.paddingLeft = number(500);
        table.paddingRight = number(500);
        table.borders = Borders{number(100), color()};
        for (int r = 1 + number(2); r > 0; --r) {
            Row row{{}, length(), chance(2)};
            for (int c = 1 + number(3); c > 0; --c) {
                row.cells.push_back(Cell{paragraphs(1), number(3000),
                                         chance(2) ? std::optional<QRgb>(color()) : std::nullopt,
                                         VerticalAlignment(number(2)), chance(2)});
            }
            table.rows.push_back(row);
        }
        return table;
    }

    QRandomGenerator m_random;
};

Document readOrFail(const QByteArray& rtf)
{
    const RtfReadResult result = readRtf(rtf);
    if (!result.document)
        qWarning("refused at %lld: %s", qlonglong(result.offset), qPrintable(result.error));
    return result.document.value_or(Document{});
}

} // namespace

class TestRtf : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void escapesText_data();
    void escapesText();
    void writesWhatWordExpects();
    void writesParagraphsOfACell();
    void roundTripsHostileText_data();
    void roundTripsHostileText();
    void roundTripsRandomDocuments();
    void templateHasTheScheduleStructure();
    void templateIsInTheWritersForm();
};

void TestRtf::escapesText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("written");
    QTest::newRow("plain") << u"Math 101"_s << "Math 101"_ba;
    QTest::newRow("backslash") << u"a\\b"_s << "a\\\\b"_ba;
    QTest::newRow("braces") << u"{x}"_s << "\\{x\\}"_ba;
    QTest::newRow("control word typed as text") << u"\\par}{\\rtf1"_s << "\\\\par\\}\\{\\\\rtf1"_ba;
    QTest::newRow("control characters")
        << u"a\u0001\nb\r\u007F"_s << "a\\u1?\\u10?b\\u13?\\u127?"_ba;
    QTest::newRow("nul") << QString(QChar(0)) << "\\u0?"_ba;
    QTest::newRow("latin") << u"Caf\u00e9"_s << "Caf\\u233?"_ba;
    QTest::newRow("top of the BMP") << u"\u8000\uFFFF"_s << "\\u-32768?\\u-1?"_ba;
    QTest::newRow("emoji as surrogate pair") << u"\U0001F600"_s << "\\u-10179?\\u-8704?"_ba;
    QTest::newRow("right-to-left") << u"\u202E\u05E9\u05DC"_s << "\\u8238?\\u1513?\\u1500?"_ba;
    QTest::newRow("tab before a letter") << u"a\tb"_s << "a\\tab b"_ba;
    QTest::newRow("tab before a digit") << u"\t1"_s << "\\tab 1"_ba;
    QTest::newRow("tab before a space") << u"\t "_s << "\\tab  "_ba;
    QTest::newRow("tab before a hyphen") << u"\t-"_s << "\\tab -"_ba;
    QTest::newRow("tab before punctuation") << u"\t;\t"_s << "\\tab;\\tab"_ba;
}

void TestRtf::escapesText()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, written);
    const QByteArray rtf = toRtf(documentWith({paragraphOf(text)}));
    QVERIFY2(rtf.contains("{\\f0\\fs20 " + written + "}") ||
                 rtf.contains("{\\f0\\fs20" + written + "}"),
             rtf.constData());
}

void TestRtf::writesWhatWordExpects()
{
    const QByteArray rtf = toRtf(expectedTemplate());
    QVERIFY(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1252\\deff0"));
    QVERIFY(rtf.contains("{\\fonttbl{\\f0\\fnil\\fcharset0 Century Gothic;}}"));
    QVERIFY(rtf.contains("{\\stylesheet{\\ql\\f0\\fs20\\kerning0\\snext0 Normal;}}"));
    QVERIFY(rtf.contains("\\paperw15840\\paperh12240\\margl1080\\margr1080\\margt1080\\margb1080"
                         "\\headery720\\footery720\\deftab720\\landscape"));
    QVERIFY(rtf.contains("\\trowd\\trgaph115\\trleft0\\trpaddl115\\trpaddr115\\trpaddfl3"
                         "\\trpaddfr3\\trrh420\\trhdr"));
    QVERIFY(rtf.contains("\\clvertalc\\clNoWrap\\clcbpat3\\clbrdrt\\brdrs\\brdrw5\\brdrcf2"));
    QVERIFY(rtf.contains("\\cellx1172"));
    QVERIFY(rtf.contains("\\cellx13680"));
    QVERIFY(rtf.contains("{\\f0\\fs32\\b Homework for [YourName]}{\\f0\\fs32\\cf1\\tab Week of"));
    QVERIFY(rtf.endsWith("\\row\n\\pard\\plain\\ql\\f0\\fs20\\par\n}\n"));
}

void TestRtf::writesParagraphsOfACell()
{
    Cell cell;
    cell.width = 1000;
    cell.paragraphs = {paragraphOf(u"Read"_s), paragraphOf(u"p. 4"_s), Paragraph{}};
    Table table;
    table.rows = {Row{{cell}, 0, false}};
    const QByteArray rtf = toRtf(documentWith({table}));
    QVERIFY2(rtf.contains("\\pard\\plain\\intbl\\ql{\\f0\\fs20 Read}\\f0\\fs20\\par\n"
                          "\\pard\\plain\\intbl\\ql{\\f0\\fs20 p. 4}\\f0\\fs20\\par\n"
                          "\\pard\\plain\\intbl\\ql\\f0\\fs20\\cell\n\\row\n"),
             rtf.constData());
    QCOMPARE(readOrFail(rtf), documentWith({table}));
}

void TestRtf::roundTripsHostileText_data()
{
    QTest::addColumn<QString>("text");
    const QString texts[] = {
        u"\\par}{\\rtf1 evil"_s,
        u"}}}}"_s,
        u"{{{{"_s,
        u"\\'41\\u65?\\*"_s,
        u"{\\*\\shpinst x}"_s,
        u"a;b;"_s,
        u"\u0000\u0001\u001F\u007F"_s,
        u"\U0001F600\U0001F468\u200D\U0001F469"_s,
        u"\u202E\u05E9\u05DC\u05D5\u05DD"_s,
        QString(QChar(0xD800)) + u"lone"_s,
        u"\t\t x\t-1"_s,
        u"line\nbreak\r\n"_s,
        u"\u00A0\u00AD\u2028\u2029\uFEFF"_s,
        u"  leading and trailing  "_s,
    };
    for (const QString& text : texts)
        QTest::newRow(text.toUtf8().toPercentEncoding().constData()) << text;
}

void TestRtf::roundTripsHostileText()
{
    QFETCH(QString, text);
    CharFormat format;
    format.font = text; // font names are escaped like text
    format.color = qRgb(1, 2, 3);
    Cell cell;
    cell.paragraphs = {paragraphOf(text, format), paragraphOf(text)};
    Table table;
    table.rows = {Row{{cell, cell}, 100, true}};
    Document document = documentWith({paragraphOf(text, format), table, paragraphOf(text)});
    document.shapes = {Shape{{paragraphOf(text), Paragraph{}}}};
    document.base.font = text;
    QCOMPARE(readOrFail(toRtf(document)), document);
}

void TestRtf::roundTripsRandomDocuments()
{
    RandomDocuments documents(20240901);
    for (int i = 0; i < 300; ++i) {
        const Document document = documents.next();
        const QByteArray rtf = toRtf(document);
        QVERIFY2(readOrFail(rtf) == document, rtf.constData());
    }
}

void TestRtf::templateHasTheScheduleStructure()
{
    const Document document = readOrFail(templateBytes());
    QCOMPARE(document.page, PageSetup{});
    QCOMPARE(document.page.width, 15840);
    QCOMPARE(document.page.marginLeft, 1080);
    QCOMPARE(document.base.font, u"Century Gothic"_s);
    QCOMPARE(document.base.halfPoints, 20);
    QCOMPARE(document.body.size(), std::size_t(4));
    const Table& table = std::get<Table>(document.body[2]);
    int width = 0;
    for (const Cell& cell : table.rows[0].cells)
        width += cell.width;
    QCOMPARE(width, document.page.textWidth());
    QCOMPARE(document, expectedTemplate());
}

void TestRtf::templateIsInTheWritersForm()
{
    QCOMPARE(toRtf(readOrFail(templateBytes())), templateBytes());
}

QTEST_APPLESS_MAIN(TestRtf)
#include "test_rtf.moc"
