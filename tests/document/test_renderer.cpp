// SPDX-License-Identifier: MIT

#include "document/paint/renderer.h"
#include "tests/document/schedule_fixture.h"

#include <QGuiApplication>
#include <QTest>

using namespace Qt::StringLiterals;

namespace quillory::doc {

namespace {

Document withRows(int dataRows)
{
    Document document = test::scheduleDocument();
    auto& rows = std::get<Table>(document.body[2]).rows;
    rows.insert(rows.end(), dataRows - 1, rows[1]);
    return document;
}

// The top of the table in twips: the data row's day cells start 420 twips below it.
qreal tableTop(const DocumentLayout& layout)
{
    return layout.place(cellStart(2, 1, 1)).origin.y() - 420;
}

} // namespace

class TestRenderer final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void pictureCoversTheTextItself_data()
    {
        QTest::addColumn<qreal>("ratio");
        QTest::newRow("one") << 1.0;
        QTest::newRow("double density") << 2.0;
        QTest::newRow("fractional") << 1.5;
    }

    // From the top of the title to the bottom of the paragraph after the table: title line,
    // empty paragraph, heading row, data row, empty paragraph.
    void pictureCoversTheTextItself()
    {
        QFETCH(qreal, ratio);
        const DocumentLayout layout = layOutDocument(withRows(1));
        const QImage picture = renderMainText(layout, ratio);
        const qreal twips = test::fontLineHeight(32, true) + test::fontLineHeight(20) + 420 + 792 +
                            test::fontLineHeight(20);
        const QSize logical(912, int(std::ceil(twips / 15)));
        QCOMPARE(pictureSize(layout), logical);
        QCOMPARE(picture.size(), (QSizeF(logical) * ratio).toSize());
        QCOMPARE(picture.devicePixelRatio(), ratio);
        QCOMPARE(picture.format(), QImage::Format_ARGB32_Premultiplied);
    }

    // Full pages one below the other with a grey gap; the last ends at its last content.
    void pagesAreStackedAndTheLastIsCut()
    {
        const DocumentLayout layout = layOutDocument(withRows(30));
        QCOMPARE(layout.pages().size(), std::size_t(3));
        const QImage picture = renderMainText(layout, 1);
        QVERIFY(picture.height() > 2 * 682 && picture.height() < 2 * 682 + 672);
        for (const int gap : {672, 681, 1354, 1363})
            QCOMPARE(picture.pixelColor(400, gap), QColor(0xd0, 0xd0, 0xd0));
        QCOMPARE(picture.pixelColor(400, 671), QColor(Qt::black)); // the part's closing line
        QCOMPARE(picture.pixelColor(400, picture.height() - 1), QColor(Qt::white));
    }

    // A long schedule's lowered ratio shrinks the drawing with the picture: the gaps between
    // pages move to half their place at half the ratio, and the table's right edge stays in.
    void aLoweredRatioShrinksTheDrawing()
    {
        const DocumentLayout layout = layOutDocument(withRows(30));
        const QImage picture = renderMainText(layout, 0.5);
        for (const int gap : {337, 340, 678, 681})
            QCOMPARE(picture.pixelColor(200, gap), QColor(0xd0, 0xd0, 0xd0));
        QCOMPARE(picture.pixelColor(200, 335), QColor(Qt::black)); // the part's closing line
        QCOMPARE(picture.pixelColor(picture.width() - 1, 200), QColor(Qt::black));
    }

    void bordersAndShadingAreCrisp()
    {
        const DocumentLayout layout = layOutDocument(test::scheduleDocument());
        const QImage picture = renderMainText(layout, 2);
        const int borderRow = qRound((tableTop(layout) - 2.5) / 7.5);
        QCOMPARE(picture.pixelColor(600, borderRow - 1), QColor(Qt::white));
        QCOMPARE(picture.pixelColor(600, borderRow), QColor(Qt::black));
        QCOMPARE(picture.pixelColor(600, borderRow + 1), QColor(217, 227, 239));
        // The outer lines of the full-width table stay inside the picture.
        QCOMPARE(picture.pixelColor(0, borderRow + 20), QColor(Qt::black));
        QCOMPARE(picture.pixelColor(picture.width() - 1, borderRow + 20), QColor(Qt::black));
        const int dataMiddle = qRound((tableTop(layout) + 420 + 396) / 7.5);
        QCOMPARE(picture.pixelColor(qRound(2000 / 7.5), dataMiddle), QColor(243, 243, 243));
        QCOMPARE(picture.pixelColor(qRound(4000 / 7.5), dataMiddle), QColor(Qt::white));
    }

    void textIsPaintedAntialiased()
    {
        const DocumentLayout layout = layOutDocument(test::scheduleDocument());
        const QImage title =
            renderMainText(layout, 2).copy(0, 0, 1200, qRound(tableTop(layout) / 7.5) - 2);
        int dark = 0;
        int between = 0;
        for (int y = 0; y < title.height(); ++y) {
            for (int x = 0; x < title.width(); ++x) {
                const int gray = qGray(title.pixel(x, y));
                dark += gray < 60;
                between += gray >= 60 && gray < 200;
            }
        }
        QVERIFY(dark > 1000);
        QVERIFY(between > 100);
    }

    void pagesAreSeparatedAndTheHeadingRepeats()
    {
        const DocumentLayout layout = layOutDocument(withRows(30));
        const QImage picture = renderMainText(layout, 1);
        QCOMPARE(picture.pixelColor(400, 677), QColor(0xd0, 0xd0, 0xd0));
        // The second page begins with the heading row: its border, then its shading.
        QCOMPARE(picture.pixelColor(400, 682), QColor(Qt::black));
        QCOMPARE(picture.pixelColor(400, 684), QColor(217, 227, 239));
    }
};

} // namespace quillory::doc

QTEST_MAIN(quillory::doc::TestRenderer)
#include "test_renderer.moc"
