// SPDX-License-Identifier: MIT

#include "base/failure.h"
#include "base/file_system.h"
#include "document/automation/application_starter.h"
#include "document/rtf/rtf_writer.h"
#include "tests/document/schedule_fixture.h"
#include "tests/support/failure_status.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace quillory::doc::automation {

namespace {

// A row's layout without its text: what every class row must share with the template's row.
Row layoutOf(Row row)
{
    for (Cell& cell : row.cells) {
        for (Paragraph& paragraph : cell.paragraphs)
            paragraph.runs.clear();
        cell.paragraphs.resize(1);
    }
    return row;
}

QStringList expectedTexts(const test::ClassRow& row)
{
    return QStringList{row.period} + row.days;
}

} // namespace

class TestSelection final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_folder.emplace();
        m_application = startApplication();
        m_document.emplace(
            m_application->Documents().Open(test::writeTemplateCopy(m_folder->path()), true));
    }

    void cleanup()
    {
        m_document.reset();
        m_application.reset();
    }

    void classesFillOneRowEach_data()
    {
        QTest::addColumn<int>("count");
        QTest::newRow("none") << 0;
        QTest::newRow("one") << 1;
        QTest::newRow("three") << 3;
        QTest::newRow("eight") << 8;
    }

    void classesFillOneRowEach()
    {
        QFETCH(int, count);
        const Row templateRow = test::scheduleTable(test::scheduleDocument()).rows[1];
        const QList<test::ClassRow> classes = test::numberedClasses(count);
        test::replacePlaceholders(*m_document, u"Dana"_s, u"Sep 6, 2021"_s);
        test::typeClasses(*m_application, classes);
        const Table& table = test::scheduleTable(m_document->content());
        QCOMPARE(int(table.rows.size()), 1 + std::max(1, count));
        QCOMPARE(test::rowTexts(table.rows[0]).first(), u"Period"_s);
        for (int i = 0; i < count; ++i) {
            QCOMPARE(test::rowTexts(table.rows[i + 1]), expectedTexts(classes[i]));
            QCOMPARE(layoutOf(table.rows[i + 1]), templateRow);
        }
        if (count == 0)
            QCOMPARE(table.rows[1], templateRow);
    }

    void typedTextTakesTheCellsLook()
    {
        test::typeClasses(*m_application, test::numberedClasses(1));
        const Row& row = test::scheduleTable(m_document->content()).rows[1];
        const Paragraph& period = row.cells[0].paragraphs[0];
        QCOMPARE(period.format.alignment, Alignment::Center);
        QCOMPARE(period.runs.at(0).format, period.mark);
        QCOMPARE(row.cells[1].paragraphs[0].runs.at(0).format.halfPoints, 20);
    }

    void lineBreaksStartParagraphsInTheCell()
    {
        test::ClassRow lines{u"A\nB"_s, {u"one\r\ntwo\rthree"_s, u"x"_s, {}, {}, {}, {}, u"\n"_s}};
        test::typeClasses(*m_application, {lines});
        const Row& row = test::scheduleTable(m_document->content()).rows[1];
        QCOMPARE(test::rowTexts(row),
                 (QStringList{u"A\nB"_s, u"one\ntwo\nthree"_s, u"x"_s, {}, {}, {}, {}, u"\n"_s}));
        QCOMPARE(row.cells[1].paragraphs.size(), size_t(3));
        for (const Paragraph& paragraph : row.cells[0].paragraphs)
            QCOMPARE(paragraph.format.alignment, Alignment::Center);
    }

    void longTitleSendsTheClassesIntoTheHeadingRow_data()
    {
        QTest::addColumn<int>("nameLength");
        QTest::addColumn<int>("filledRow");
        QTest::newRow("37 letters fit the title line") << 37 << 1;
        QTest::newRow("38 letters wrap it") << 38 << 0;
    }

    void longTitleSendsTheClassesIntoTheHeadingRow()
    {
        QFETCH(int, nameLength);
        QFETCH(int, filledRow);
        test::replacePlaceholders(*m_document, QString(nameLength, u'a'), u"Sep 6, 2021"_s);
        test::typeClasses(*m_application, test::numberedClasses(2));
        const Table& table = test::scheduleTable(m_document->content());
        QCOMPARE(table.rows.size(), size_t(3));
        QCOMPARE(test::rowTexts(table.rows[filledRow]).first().left(2), u"P1"_s);
        QCOMPARE(test::rowTexts(table.rows[filledRow + 1]).first(), u"P2"_s);
        if (filledRow == 0) {
            // Typing at the start of "Period" keeps it; the day cells were selected and replaced.
            QCOMPARE(test::rowTexts(table.rows[0]).mid(0, 2),
                     (QStringList{u"P1Period"_s, u"P1 Mon"_s}));
            QCOMPARE(test::rowTexts(table.rows[2]), QStringList(8, QString()));
        }
    }

    void moveDownCountsLaidOutLines()
    {
        Selection selection = m_application->Selection();
        QCOMPARE(selection.MoveDown(wdLine, 2), 2);
        selection.TypeText(u"H"_s);
        QCOMPARE(test::rowTexts(test::scheduleTable(m_document->content()).rows[0]).first(),
                 u"HPeriod"_s);
        QCOMPARE(selection.MoveDown(wdLine, 10), 2);
        selection.TypeText(u"end"_s);
        QCOMPARE(std::get<Paragraph>(m_document->content().body.back()).text(), u"end"_s);
        QCOMPARE(selection.MoveDown(wdLine, 1), 0);
    }

    void moveDownKeepsTheColumn()
    {
        doc::Document content = test::scheduleDocument();
        auto& rows = std::get<Table>(content.body[2]).rows;
        rows[1].cells[4].paragraphs = {Paragraph{{{u"one"_s, {}}}, {}, {}},
                                       Paragraph{{{u"two"_s, {}}}, {}, {}}};
        rows.push_back(rows[1]);
        const QString path = m_folder->filePath(u"two rows.doc"_s);
        test::require(replaceFileAtomically(path, toRtf(content)));
        m_document.emplace(m_application->Documents().Open(path));

        Selection selection = m_application->Selection();
        selection.MoveDown(wdLine, 3);
        selection.MoveRight(wdCell, 4);
        // Down past the cell's second paragraph into the Thursday cell of the row below.
        QCOMPARE(selection.MoveDown(wdLine, 2), 2);
        selection.TypeText(u"B"_s);
        const Table& table = test::scheduleTable(m_document->content());
        QCOMPARE(test::rowTexts(table.rows[1])[4], u"one\ntwo"_s);
        QCOMPARE(test::rowTexts(table.rows[2])[4], u"Bone\ntwo"_s);
    }

    void moveRightWalksCellsAndAddsARowAtTheEnd()
    {
        Selection selection = m_application->Selection();
        selection.MoveDown(wdLine, 3);
        QCOMPARE(selection.MoveRight(wdCell, 7), 7);
        selection.TypeText(u"sun"_s);
        QCOMPARE(selection.MoveRight(wdCell, 1), 1);
        selection.TypeText(u"next"_s);
        const Table& table = test::scheduleTable(m_document->content());
        QCOMPARE(table.rows.size(), size_t(3));
        QCOMPARE(test::rowTexts(table.rows[1]).last(), u"sun"_s);
        QCOMPARE(test::rowTexts(table.rows[2]).first(), u"next"_s);
        QCOMPARE(layoutOf(table.rows[2]), layoutOf(table.rows[1]));
    }

    void tableMovesNeedATable()
    {
        Selection selection = m_application->Selection();
        QVERIFY_THROWS_EXCEPTION(Failure, selection.MoveRight(wdCell, 1));
        QVERIFY_THROWS_EXCEPTION(Failure, selection.InsertRowsBelow(1));
        QVERIFY_THROWS_EXCEPTION(Failure, selection.MoveDown(1, 1));
        selection.TypeText(u"Title: "_s);
        QCOMPARE(test::titleText(m_document->content()).left(20), u"Title: Homework for "_s);
    }

private:
    std::optional<QTemporaryDir> m_folder;
    std::unique_ptr<Application> m_application;
    std::optional<Document> m_document;
};

} // namespace quillory::doc::automation

QTEST_MAIN(quillory::doc::automation::TestSelection)
#include "test_selection.moc"
