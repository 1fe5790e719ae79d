// SPDX-License-Identifier: MIT
// The RTF writer and reader, and the schedule template they carry.
#include "document/rtf/model.h"
#include "document/rtf/rtf_reader.h"
#include "document/rtf/rtf_writer.h"
#include "resources/schedule_template.h"

#include <QRandomGenerator>
#include <QTest>

#include <sys/mman.h>

using namespace quillory::doc;
using quillory::templateBytes;
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
    // The paragraph mark is black: readers that colour the whole line by its mark show the
    // name in black.
    title.mark = normal;
    title.mark.halfPoints = 32;

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
    int length() { return number(MaxLength); }
    QRgb color() { return qRgb(number(255), number(255), number(255)); }

    QString text()
    {
        static const QString pieces[] = {u"a"_s,      u"Z9 "_s,        u"\\"_s,
                                         u"{"_s,      u"}"_s,          u";"_s,
                                         u"\t"_s,     u"\u00ff"_s,     u"\u00e9"_s,
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
        return CharFormat{fonts[number(3)], 1 + number(MaxHalfPoints - 1), chance(2),
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
    void namesFacesForScripts_data();
    void namesFacesForScripts();
    void writesWhatWordExpects();
    void writesParagraphsOfACell();
    void roundTripsHostileText_data();
    void roundTripsHostileText();
    void roundTripsRandomDocuments();
    void runsWrittenAlikeAreOneGroup();
    void rowsAlikeAndUnlikeComeBack();
    void templateHasTheScheduleStructure();
    void templateIsInTheWritersForm();
    void refusesMalformedInput_data();
    void refusesMalformedInput();
    void refusesOversizedInput();
    void readsLongDocumentsItWrote();
    void readsOtherWritersRtf_data();
    void readsOtherWritersRtf();
};

void TestRtf::escapesText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("written");
    QTest::newRow("plain") << u"Math 101"_s << "Math 101"_ba;
    QTest::newRow("backslash") << u"a\\b"_s << "a\\\\b"_ba;
    QTest::newRow("braces") << u"{x}"_s << "\\{x\\}"_ba;
    QTest::newRow("control word typed as text") << u"\\par}{\\rtf1"_s << "\\\\par\\}\\{\\\\rtf1"_ba;
    QTest::newRow("control characters left out")
        << u"a\u0001\u0000b\u001F\u007F"_s << "ab\\u127\\'7f"_ba;
    QTest::newRow("line breaks") << u"a\nb\rc\r\nd\u000Be\u2028f"_s
                                 << "a\\line b\\line c\\line d\\line e\\line f"_ba;
    QTest::newRow("latin") << u"Caf\u00e9 \u00c7a"_s << "Caf\\u233\\'e9 \\u199\\'c7a"_ba;
    QTest::newRow("code page above Latin-1")
        << u"\u20AC\u201C\u0178"_s << "\\u8364\\'80\\u8220\\'93\\u376\\'9f"_ba;
    QTest::newRow("top of the BMP") << u"\uA000\uFFFF"_s << "\\u-24576\\'3f\\u-1\\'3f"_ba;
    QTest::newRow("emoji as surrogate pair") << u"\U0001F600"_s << "\\u-10179\\'3f\\u-8704\\'3f"_ba;
    QTest::newRow("right-to-left override") << u"\u202E"_s << "\\u8238\\'3f"_ba;
    QTest::newRow("tab before a letter") << u"a\tb"_s << "a\\tab b"_ba;
    QTest::newRow("tab before a digit") << u"\t1"_s << "\\tab 1"_ba;
    QTest::newRow("tab before a space") << u"\t "_s << "\\tab  "_ba;
    QTest::newRow("tab before a hyphen") << u"\t-"_s << "\\tab -"_ba;
    QTest::newRow("tab before punctuation") << u"\t;\t?"_s << "\\tab ;\\tab ?"_ba;
}

void TestRtf::escapesText()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, written);
    const QByteArray rtf = toRtf(documentWith({paragraphOf(text)}));
    QVERIFY2(rtf.contains(QByteArray("{\\f0\\fs20 " + written + "}")) ||
                 rtf.contains(QByteArray("{\\f0\\fs20" + written + "}")),
             rtf.constData());
}

// A stretch of a complex or East Asian script is a group of its own naming the face to draw it
// in, as an associated font (\af after \rtlch or \dbch), added to the font table.
void TestRtf::namesFacesForScripts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("groups");
    QTest::addColumn<QByteArray>("fonts"); // the font table after Century Gothic
    QTest::newRow("Latin") << u"Math"_s << "{\\f0\\fs20 Math}"_ba << QByteArray();
    QTest::newRow("Hebrew") << u"\u05E9\u05DC"_s
                            << "{\\rtlch\\af1\\ltrch\\f0\\fs20\\u1513\\'3f\\u1500\\'3f}"_ba
                            << "{\\f1\\fnil\\fcharset1 DejaVu Sans;}"_ba;
    QTest::newRow("Arabic after Latin")
        << u"Read \u0644\u0627"_s
        << "{\\rtlch\\af1\\ltrch\\f0\\fs20 Read \\u1604\\'3f\\u1575\\'3f}"_ba
        << "{\\f1\\fnil\\fcharset1 DejaVu Sans;}"_ba;
    QTest::newRow("Thai, then Arabic")
        << u"\u0E17\u0E33 \u0644"_s
        << "{\\rtlch\\af1\\ltrch\\f0\\fs20\\u3607\\'3f\\u3635\\'3f }"
           "{\\rtlch\\af2\\ltrch\\f0\\fs20\\u1604\\'3f}"_ba
        << "{\\f1\\fnil\\fcharset222 Noto Sans Thai UI;}{\\f2\\fnil\\fcharset1 DejaVu Sans;}"_ba;
    QTest::newRow("Chinese and Devanagari")
        << u"\u8000 \u0917"_s
        << "{\\rtlch\\af1\\ltrch\\dbch\\af2\\loch\\f0\\fs20\\u-32768\\'3f \\u2327\\'3f}"_ba
        << "{\\f1\\fnil\\fcharset1 Noto Sans Devanagari UI;}"
           "{\\f2\\fnil\\fcharset134 WenQuanYi Micro Hei;}"_ba;
}

void TestRtf::namesFacesForScripts()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, groups);
    QFETCH(QByteArray, fonts);
    const QByteArray rtf = toRtf(documentWith({paragraphOf(text)}));
    QVERIFY2(rtf.contains(QByteArray("\\ql" + groups + "\\f0\\fs20\\par")), rtf.constData());
    QVERIFY2(
        rtf.contains(QByteArray("{\\fonttbl{\\f0\\fnil\\fcharset0 Century Gothic;}" + fonts + "}")),
        rtf.constData());
    QCOMPARE(readOrFail(rtf).body, documentWith({paragraphOf(text)}).body);
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
    QVERIFY(!rtf.contains("\\trkeep")); // rows may break across pages
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
    QTest::addColumn<QString>("readBack");
    const QString texts[] = {
        u"\\par}{\\rtf1 evil"_s,
        u"}}}}"_s,
        u"{{{{"_s,
        u"\\'41\\u65?\\*"_s,
        u"{\\*\\shpinst x}"_s,
        u"a;b;"_s,
        u"\U0001F600\U0001F468\u200D\U0001F469"_s,
        u"\u202E\u05E9\u05DC\u05D5\u05DD"_s,
        QString(QChar(0xD800)) + u"lone"_s,
        u"\t\t x\t-1"_s,
        u"\u00A0\u00AD\u2028\u2029\uFEFF"_s,
        u"  leading and trailing  "_s,
    };
    for (const QString& text : texts)
        QTest::newRow(text.toUtf8().toPercentEncoding().constData()) << text << text;
    // Control characters are left out; line breaks come back as the line separator.
    QTest::newRow("control characters") << u"\u0000\u0001\u001F\u007F"_s << u"\u007F"_s;
    // A run of them alone is no run at all, as an empty run reads back.
    QTest::newRow("only control characters") << u"\u0001\u0002"_s << QString();
    QTest::newRow("line breaks") << u"line\nbreak\r\n\u000Bx"_s
                                 << u"line\u2028break\u2028\u2028x"_s;
}

// The text everywhere a document holds text: runs, cells, shapes, font names.
static Document documentAllOf(const QString& text)
{
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
    return document;
}

void TestRtf::roundTripsHostileText()
{
    QFETCH(QString, text);
    QFETCH(QString, readBack);
    QCOMPARE(readOrFail(toRtf(documentAllOf(text))), documentAllOf(readBack));
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

// A row's definition is written once for the rows like it: each row still reads back as it was.
void TestRtf::rowsAlikeAndUnlikeComeBack()
{
    Row row;
    row.cells = {Cell{{Paragraph{}}, 1000, {}, VerticalAlignment::Top, false},
                 Cell{{Paragraph{}}, 2000, qRgb(1, 2, 3), VerticalAlignment::Center, true}};
    Row shaded = row;
    shaded.cells[0].shading = qRgb(9, 9, 9);
    Row taller = row;
    taller.minimumHeight = 800;
    Table table;
    table.rows = {row, row, shaded, row, taller, taller, row};
    const Document document = documentWith({Paragraph{}, table, Paragraph{}});
    const QByteArray rtf = toRtf(document);
    QCOMPARE(readOrFail(rtf), document);
    QCOMPARE(rtf.count("\\trowd"), 7);
}

void TestRtf::runsWrittenAlikeAreOneGroup()
{
    // Sizes past the largest are written as the largest, so these runs read back as one; the
    // run of a control character alone is nothing between them.
    CharFormat huge;
    huge.halfPoints = 5000;
    CharFormat larger = huge;
    larger.halfPoints = 9000;
    Paragraph paragraph;
    paragraph.runs = {Run{u"big"_s, huge}, Run{u"\u0001"_s, {}}, Run{u" bigger"_s, larger}};
    const QByteArray rtf = toRtf(documentWith({paragraph}));
    QVERIFY2(rtf.contains("\\ql{\\f0\\fs3276 big bigger}"), rtf.constData());
    QCOMPARE(toRtf(readOrFail(rtf)), rtf);
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

void TestRtf::refusesMalformedInput_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<RtfStatus>("status");
    QTest::addColumn<qsizetype>("offset");
    using enum RtfStatus;
    QTest::newRow("empty") << QByteArray() << NotRtf << qsizetype(0);
    QTest::newRow("plain text") << "Homework"_ba << NotRtf << qsizetype(0);
    QTest::newRow("leading line break") << "\n{\\rtf1}"_ba << NotRtf << qsizetype(1);
    QTest::newRow("other group first") << "{\\ansi}"_ba << NotRtf << qsizetype(1);
    QTest::newRow("group never closed") << "{\\rtf1 abc"_ba << Unbalanced << qsizetype(10);
    QTest::newRow("closed twice") << "{\\rtf1 }}"_ba << Unbalanced << qsizetype(8);
    QTest::newRow("text after the end") << "{\\rtf1 } x"_ba << TrailingData << qsizetype(9);
    QTest::newRow("second document") << "{\\rtf1 }{\\rtf1 }"_ba << TrailingData << qsizetype(8);
    QTest::newRow("control byte after the end")
        << "{\\rtf1 }\x14"_ba << TrailingData << qsizetype(8);
    QTest::newRow("lone backslash") << "{\\rtf1 \\"_ba << Truncated << qsizetype(7);
    QTest::newRow("truncated hex") << "{\\rtf1 \\'4"_ba << Truncated << qsizetype(7);
    QTest::newRow("truncated binary") << "{\\rtf1 \\bin10 abc}"_ba << Truncated << qsizetype(14);
    QTest::newRow("bad hex") << "{\\rtf1 \\'g0}"_ba << BadEscape << qsizetype(7);
    QTest::newRow("long word") << "{\\rtf1 \\"_ba + QByteArray(33, 'a') + "}" << BadEscape
                               << qsizetype(7);
    QTest::newRow("eleven digits") << "{\\rtf1 \\fs12345678901}"_ba << OutOfRange << qsizetype(7);
    QTest::newRow("beyond 32 bits") << "{\\rtf1 \\fs4294967296}"_ba << OutOfRange << qsizetype(7);
    QTest::newRow("font size zero") << "{\\rtf1 x\\fs0}"_ba << OutOfRange << qsizetype(8);
    QTest::newRow("huge page") << "{\\rtf1 \\paperw31681}"_ba << OutOfRange << qsizetype(7);
    QTest::newRow("negative margin") << "{\\rtf1 \\margl-1}"_ba << OutOfRange << qsizetype(7);
    QTest::newRow("unicode beyond 16 bits") << "{\\rtf1 \\u65536}"_ba << OutOfRange << qsizetype(7);
    QTest::newRow("colour beyond 255")
        << "{\\rtf1{\\colortbl\\red256;}}"_ba << OutOfRange << qsizetype(16);
    QTest::newRow("cells out of order")
        << "{\\rtf1 \\cellx900\\cellx800}"_ba << OutOfRange << qsizetype(16);
    QTest::newRow("nested too deeply")
        << "{\\rtf1 "_ba + QByteArray(300, '{') << TooDeep << qsizetype(7 + 255);
    QTest::newRow("too many tab stops")
        << "{\\rtf1 "_ba + QByteArray("\\tx1").repeated(65) << TooLarge << qsizetype(7 + 64 * 4);
    QTest::newRow("long font name")
        << "{\\rtf1{\\fonttbl{\\f0 "_ba + QByteArray(300, 'x') << TooLarge << qsizetype(20);
    QTest::newRow("too many paragraphs") << "{\\rtf1 "_ba + QByteArray("\\par").repeated(600000)
                                         << TooLarge << qsizetype(7 + 524288 * 4);
}

void TestRtf::refusesMalformedInput()
{
    QFETCH(QByteArray, rtf);
    QFETCH(RtfStatus, status);
    QFETCH(qsizetype, offset);
    const RtfReadResult result = readRtf(rtf);
    QVERIFY(!result.document);
    QCOMPARE(result.status, status);
    QCOMPARE(result.offset, offset);
    QVERIFY(!result.error.isEmpty());
}

// The size is refused before a byte is read: the view's pages are never touched.
void TestRtf::refusesOversizedInput()
{
    const size_t size = size_t(MaxRtfSize) + 1;
    void* pages =
        ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    QVERIFY(pages != MAP_FAILED);
    const RtfReadResult result = readRtf(QByteArrayView(static_cast<const char*>(pages), size));
    ::munmap(pages, size);
    QVERIFY(!result.document);
    QCOMPARE(result.status, RtfStatus::TooLarge);
    QCOMPARE(result.offset, qsizetype(2) << 30);
}

// More paragraphs than the least allowance: what the writer writes reads back whatever its
// length.
void TestRtf::readsLongDocumentsItWrote()
{
    Table table;
    Row row{{}, 792, false};
    row.cells.push_back(
        Cell{std::vector<Paragraph>(600000), 1172, std::nullopt, VerticalAlignment::Top, false});
    table.rows.push_back(row);
    const Document document = documentWith({table, Paragraph{}});
    QCOMPARE(readOrFail(toRtf(document)), document);
}

void TestRtf::readsOtherWritersRtf_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("text");
    QTest::newRow("unknown destination") << "{\\*\\x {nested}hidden}shown"_ba << u"shown"_s;
    QTest::newRow("unknown word") << "a\\zzz b\\zzz-1 c"_ba << u"abc"_s;
    QTest::newRow("known skipped destinations")
        << "{\\info{\\title T}}{\\header H}{\\pict\\bin3 }}}}x"_ba << u"x"_s;
    QTest::newRow("star before a known word") << "{\\*\\b hidden}x"_ba << u"x"_s;
    QTest::newRow("hex escapes, code page 1252") << "\\'e9\\'80\\'3b"_ba << u"\u00e9\u20ac;"_s;
    QTest::newRow("raw 8-bit text") << "\xe9\x93"_ba << u"\u00e9\u201c"_s;
    QTest::newRow("unicode with fallback") << "\\u233\\'e9x\\u8364?"_ba << u"\u00e9x\u20ac"_s;
    QTest::newRow("unicode without fallback") << "\\uc0\\u233 x"_ba << u"\u00e9x"_s;
    QTest::newRow("two-character fallback") << "{\\uc2\\u233 ab}c"_ba << u"\u00e9c"_s;
    QTest::newRow("fallback ends with its group") << "{\\uc3\\u233 a}bc"_ba << u"\u00e9bc"_s;
    QTest::newRow("special characters")
        << "\\~\\_\\emdash\\endash\\bullet\\lquote"_ba << u"\u00a0\u2011\u2014\u2013\u2022\u2018"_s;
    QTest::newRow("line breaks in the file") << "a\r\nb\nc"_ba << u"abc"_s;
    QTest::newRow("stray control bytes") << "a\x01\x1f b"_ba << u"a b"_s;
    QTest::newRow("fields show their result")
        << "{\\field{\\*\\fldinst PAGE}{\\fldrslt 7}}"_ba << u"7"_s;
}

void TestRtf::readsOtherWritersRtf()
{
    QFETCH(QByteArray, body);
    QFETCH(QString, text);
    const Document document =
        readOrFail("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}"_ba + body + "\\par}"_ba);
    QCOMPARE(document.body.size(), std::size_t(1));
    QCOMPARE(std::get<Paragraph>(document.body[0]).text(), text);
    QCOMPARE(document.page.width, 12240); // a file without page size is US Letter portrait
    QCOMPARE(document.base.font, u"Arial"_s);
}

QTEST_APPLESS_MAIN(TestRtf)
#include "test_rtf.moc"
