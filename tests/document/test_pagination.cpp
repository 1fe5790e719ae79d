// SPDX-License-Identifier: MIT
// Rows that break across pages: every line placed once, inside the page, under the repeated
// heading row, with the row's shading and borders on every part.
#include "document/layout/layout.h"
#include "tests/document/schedule_fixture.h"

#include <QGuiApplication>
#include <QTest>

#include <set>

using namespace Qt::StringLiterals;

namespace quillory::doc {

namespace {

constexpr int TableBlock = 2;
constexpr int MondayCell = 1;
constexpr int WednesdayCell = 3;
const QRgb Grey = qRgb(243, 243, 243);
const QRgb BlueGrey = qRgb(217, 227, 239);

// Words of varied length, numbered so that no two lines look alike.
QString words(int characters)
{
    QString text;
    for (int i = 0; text.size() < characters; ++i)
        text += u"w%1%2 "_s.arg(i).arg(QString(i % 7, u'x'));
    return text.left(characters);
}

// The template with `before` short data rows, then one row with long Monday and Wednesday texts.
Document scheduleWithLongRow(int before, int mondayLength, int wednesdayLength)
{
    Document document = test::scheduleDocument();
    auto& rows = std::get<Table>(document.body[TableBlock]).rows;
    Row longRow = rows[1];
    longRow.cells[MondayCell].paragraphs[0].runs = {{words(mondayLength), {}}};
    longRow.cells[WednesdayCell].paragraphs[0].runs = {{words(wednesdayLength), {}}};
    rows.insert(rows.end(), before, rows[1]);
    rows.push_back(longRow);
    return document;
}

struct PlacedLine {
    ParagraphAddress address;
    int line = 0;
    auto operator<=>(const PlacedLine&) const = default;
};

// Every line placed, with the characters it holds; fails on a line placed twice.
std::map<PlacedLine, int> placedLines(const DocumentLayout& layout)
{
    std::map<PlacedLine, int> lines;
    for (const LaidOutPage& page : layout.pages()) {
        for (const PlacedParagraph& placed : page.paragraphs) {
            if (placed.address.row == 0 && &page != &layout.pages().front())
                continue; // the heading row repeated
            for (int line = placed.firstLine; line < placed.firstLine + placed.lineCount; ++line) {
                const bool added = lines
                                       .emplace(PlacedLine{placed.address, line},
                                                placed.layout->lineCharacters(line).second)
                                       .second;
                if (!added)
                    qWarning("line %d placed twice", line);
            }
        }
    }
    return lines;
}

int charactersOf(const std::map<PlacedLine, int>& lines, const ParagraphAddress& address)
{
    int characters = 0;
    for (const auto& [line, count] : lines)
        characters += line.address == address ? count : 0;
    return characters;
}

// The pages holding a line of the cell.
std::set<int> pagesOfCell(const DocumentLayout& layout, const ParagraphAddress& address)
{
    std::set<int> pages;
    for (int page = 0; page < int(layout.pages().size()); ++page) {
        for (const PlacedParagraph& placed : layout.pages()[page].paragraphs) {
            if (placed.address == address)
                pages.insert(page);
        }
    }
    return pages;
}

bool hasFill(const std::vector<PlacedFill>& fills, qreal x, QRgb color)
{
    return std::any_of(fills.begin(), fills.end(), [&](const PlacedFill& fill) {
        return fill.color == color && fill.rect.left() <= x && x < fill.rect.right();
    });
}

} // namespace

class TestPagination final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void longRowsBreakBetweenLines_data()
    {
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("monday");
        QTest::addColumn<int>("wednesday");
        QTest::addColumn<int>("pages");
        // A page's text area holds about 40 lines of about 15 characters: 600 characters.
        QTest::newRow("taller than the space left") << 8 << 300 << 40 << 2;
        QTest::newRow("taller than a page") << 0 << 1000 << 200 << 2;
        QTest::newRow("taller than two pages") << 1 << 2000 << 900 << 4;
        QTest::newRow("longer than several pages") << 3 << 6000 << 6100 << 10;
    }

    void longRowsBreakBetweenLines()
    {
        QFETCH(int, before);
        QFETCH(int, monday);
        QFETCH(int, wednesday);
        QFETCH(int, pages);
        const Document document = scheduleWithLongRow(before, monday, wednesday);
        const DocumentLayout layout = layOutDocument(document);
        const int row = 2 + before;
        const ParagraphAddress mondayCell = cellStart(TableBlock, row, MondayCell);

        // Every character of every cell lies in exactly one placed line.
        const std::map<PlacedLine, int> lines = placedLines(layout);
        QCOMPARE(charactersOf(lines, mondayCell), monday);
        QCOMPARE(charactersOf(lines, cellStart(TableBlock, row, WednesdayCell)), wednesday);
        QCOMPARE(charactersOf(lines, cellStart(TableBlock, row - 1, MondayCell)), 0);
        const int mondayLines = layout.place(mondayCell).layout->lineCount();
        for (int line = 0; line < mondayLines; ++line)
            QVERIFY2(lines.count({mondayCell, line}), qPrintable(QString::number(line)));

        const std::set<int> onPages = pagesOfCell(layout, mondayCell);
        QVERIFY2(int(onPages.size()) >= pages, qPrintable(QString::number(onPages.size())));
        QCOMPARE(*onPages.rbegin() - *onPages.begin() + 1, int(onPages.size()));
        for (const int page : onPages) {
            const LaidOutPage& laidOut = layout.pages()[page];
            // The heading row first, then the row's part with its shading and closing border.
            QCOMPARE(laidOut.paragraphs.front().address.shape, -1);
            if (page > 0)
                QCOMPARE(laidOut.paragraphs.front().address, cellStart(TableBlock, 0, 0));
            QVERIFY(hasFill(laidOut.shadings, 2000, Grey));
            QVERIFY(hasFill(laidOut.shadings, 500, BlueGrey));
            for (const PlacedParagraph& placed : laidOut.paragraphs) {
                const int last = placed.firstLine + placed.lineCount - 1;
                QVERIFY(placed.origin.y() + placed.layout->lineTop(last) +
                            placed.layout->lineHeight(last) <=
                        layout.textArea().height() + 1e-6);
            }
            for (const PlacedFill& border : laidOut.borders)
                QVERIFY(border.rect.bottom() <= layout.textArea().height() + 2.5);
        }
    }

    // A row that breaks keeps its lines at the top of each part; the period, whole in the first
    // part, is centred in it.
    void periodIsCentredInTheFirstPart()
    {
        const DocumentLayout layout = layOutDocument(scheduleWithLongRow(0, 3000, 10));
        const ParagraphPlace& period = layout.place(cellStart(TableBlock, 2, 0));
        QCOMPARE(period.page, 0);
        const QRectF part = layout.pages()[0].shadings.back().rect;
        QVERIFY(part.height() > layout.textArea().height() / 2);
        QCOMPARE(period.origin.y(), part.top() + (part.height() - period.layout->height()) / 2);
    }
};

} // namespace quillory::doc

QTEST_MAIN(quillory::doc::TestPagination)
#include "test_pagination.moc"
