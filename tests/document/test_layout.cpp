// SPDX-License-Identifier: MIT

#include "document/layout/layout.h"
#include "document/layout/layout_row_parts.h"
#include "tests/document/schedule_fixture.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QTest>

using namespace Qt::StringLiterals;

namespace quillory::doc {

namespace {

const ParagraphAddress TitleAddress{-1, 0, -1, -1, 0};

using test::fontLineHeight;

Document withName(const QString& name)
{
    Document document = test::scheduleDocument();
    auto& runs = std::get<Paragraph>(document.body.front()).runs;
    runs[0].text = u"Homework for "_s + name;
    runs[1].text = u"\tWeek of Sep 6, 2021"_s;
    return document;
}

Table& table(Document& document)
{
    return std::get<Table>(document.body[2]);
}

// The row a paragraph belongs to, for every paragraph placed on a page, in placing order.
QList<int> rowsOn(const LaidOutPage& page)
{
    QList<int> rows;
    for (const PlacedParagraph& placed : page.paragraphs) {
        if (placed.address.inTable() && placed.address.cell == 0)
            rows.append(placed.address.row);
    }
    return rows;
}

} // namespace

class TestLayout final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void templateFontsResolveToTheirStandIn_data()
    {
        QTest::addColumn<bool>("bold");
        QTest::addColumn<QString>("style");
        QTest::newRow("regular") << false << u"Book"_s;
        QTest::newRow("bold") << true << u"Demi"_s;
    }

    void templateFontsResolveToTheirStandIn()
    {
        QFETCH(bool, bold);
        QFETCH(QString, style);
        CharFormat format;
        format.bold = bold;
        format.halfPoints = 32;
        const QFontInfo info(layoutFont(format));
        QVERIFY2(info.family().startsWith(u"URW Gothic"_s), qPrintable(info.family()));
        QCOMPARE(info.styleName(), style);
        QCOMPARE(info.pixelSize(), 320);
    }

    void titleWrapsAfterThirtySevenLetters_data()
    {
        QTest::addColumn<int>("letters");
        QTest::addColumn<int>("lines");
        QTest::newRow("37") << 37 << 1;
        QTest::newRow("38") << 38 << 2;
    }

    void titleWrapsAfterThirtySevenLetters()
    {
        QFETCH(int, letters);
        QFETCH(int, lines);
        const DocumentLayout layout = layOutDocument(withName(QString(letters, u'a')));
        QCOMPARE(layout.place(TitleAddress).layout->lineCount(), lines);
    }

    // A paragraph runs left to right, as the document gives it, whatever its first word's script
    // and the program's own direction (right to left under an Arabic or Hebrew translation): a
    // Latin word after an Arabic or Hebrew one stands to its right, as LibreOffice shows it.
    void latinAfterRightToLeftWordsStandsRight_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("Arabic") << u"مرحبا abc"_s;
        QTest::newRow("Hebrew") << u"שלום abc"_s;
    }

    void latinAfterRightToLeftWordsStandsRight()
    {
        QFETCH(QString, text);
        QGuiApplication::setLayoutDirection(Qt::RightToLeft);
        const ParagraphLayout layout(Paragraph{{Run{text, {}}}, {}, {}}, 720, 5000);
        QGuiApplication::setLayoutDirection(Qt::LeftToRight);
        QVERIFY(layout.xOf(int(text.indexOf(u"abc"_s))) > layout.xOf(0));
    }

    void tabReachesTheNextDefaultStop()
    {
        const DocumentLayout layout = layOutDocument(withName(u"Dana Whitlow"_s));
        const ParagraphLayout& title = *layout.place(TitleAddress).layout;
        const int tab = int(u"Homework for Dana Whitlow"_s.size());
        const qreal week = title.xOf(tab + 1);
        QCOMPARE(std::fmod(week, 720.0), 0.0);
        QVERIFY(week > title.xOf(tab) && week - title.xOf(tab) <= 720);
    }

    void linesAreAsHighAsAscentPlusDescent()
    {
        const DocumentLayout layout = layOutDocument(test::scheduleDocument());
        const qreal titleHeight = layout.place(TitleAddress).layout->height();
        QCOMPARE(titleHeight, fontLineHeight(32, true));
        QCOMPARE(layout.place({-1, 1, -1, -1, 0}).layout->height(), fontLineHeight(20));
        const qreal tableTop = titleHeight + fontLineHeight(20);
        // The heading row keeps its minimum height and centres its text; day cells start at the
        // top.
        QCOMPARE(layout.place(cellStart(2, 0, 0)).origin.y(),
                 tableTop + (420 - fontLineHeight(20)) / 2);
        QCOMPARE(layout.place(cellStart(2, 1, 1)).origin.y(), tableTop + 420);
        QCOMPARE(layout.place(cellStart(2, 1, 1)).origin.x(), 1172 + 115);
    }

    void rowsGrowWithTheirTextAndNothingIsCutOff()
    {
        Document document = test::scheduleDocument();
        const QString longText = u"a period with far too many words for one narrow cell"_s;
        Row& row = table(document).rows[1];
        QVERIFY(row.cells[0].noWrap);
        row.cells[0].paragraphs[0].runs = {{longText, {}}};
        row.cells[1].paragraphs[0].runs = {{longText, {}}};
        const DocumentLayout layout = layOutDocument(document);
        const ParagraphLayout& period = *layout.place(cellStart(2, 1, 0)).layout;
        const ParagraphLayout& day = *layout.place(cellStart(2, 1, 1)).layout;
        QVERIFY(period.lineCount() > day.lineCount());
        QVERIFY(day.lineCount() >= 4);
        const RowBox box = layOutRow(table(document), 2, 1, 720);
        QCOMPARE(box.height, period.height());
        const RowPart whole = RowSplitter::whole(box);
        QCOMPARE(whole.cells[0].top, 0.0);
        QCOMPARE(whole.cells[1].top, 0.0);
    }

    void longTablesRepeatTheirHeadingOnEveryPage()
    {
        Document document = test::scheduleDocument();
        auto& rows = table(document).rows;
        rows.insert(rows.end(), 39, rows[1]);
        const DocumentLayout layout = layOutDocument(document);
        QVERIFY(layout.pages().size() >= 3);
        QList<int> placedRows;
        for (size_t page = 0; page < layout.pages().size(); ++page) {
            const QList<int> onPage = rowsOn(layout.pages()[page]);
            QCOMPARE(onPage.first(), 0);
            placedRows += page == 0 ? onPage : onPage.mid(1);
            for (const PlacedFill& border : layout.pages()[page].borders)
                QVERIFY(border.rect.bottom() <= layout.textArea().height() + 5);
        }
        QList<int> expected(41);
        std::iota(expected.begin(), expected.end(), 0);
        QCOMPARE(placedRows, expected);
        // The caret's place of the heading row is its first one, on the first page.
        QCOMPARE(layout.place(cellStart(2, 0, 0)).page, 0);
    }

    // A minimum height alone never pushes a row on: it ends at the foot of the page.
    void minimumHeightTallerThanAPageEndsAtTheFoot()
    {
        Document document = test::scheduleDocument();
        table(document).rows[1].minimumHeight = 20000;
        const DocumentLayout layout = layOutDocument(document);
        QCOMPARE(layout.pages().size(), size_t(2));
        QCOMPARE(rowsOn(layout.pages()[0]), (QList<int>{0, 1}));
        const PlacedFill& shading = layout.pages()[0].shadings.back();
        QCOMPARE(shading.rect.bottom(), layout.textArea().height());
    }
};

} // namespace quillory::doc

QTEST_MAIN(quillory::doc::TestLayout)
#include "test_layout.moc"
