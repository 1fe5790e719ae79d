// SPDX-License-Identifier: MIT
// The preview's view in twips: set-up, zoom and its limits, scroll ranges, dragging and the
// snap of the scroll bars, checked without any widget.
#include "base/failure.h"
#include "preview/preview_canvas.h"
#include "preview/preview_geometry.h"
#include "preview/preview_rules.h"
#include "tests/support/scripted_prompts.h"

#include <QTest>

#include <functional>
#include <utility>

using namespace quillory;
using namespace Qt::StringLiterals;

namespace {

// Records what the view asks of the window; can be told that drawing fails.
class RecordingCanvas final : public PreviewCanvas {
public:
    void keepZoomSource() override { ++kept; }
    void clearPicture() override { ++cleared; }
    void drawScaled(QSize source, QSize target) override
    {
        if (whileDrawing)
            std::exchange(whileDrawing, nullptr)();
        if (failDrawing)
            throw Failure(Failure::TooLarge, u"Out of memory"_s);
        draws.append({source, target});
    }
    void showArrow() override { ++arrows; }

    int kept = 0;
    int cleared = 0;
    int arrows = 0;
    bool failDrawing = false;
    std::function<void()> whileDrawing; // runs once, at the next drawing
    QList<QPair<QSize, QSize>> draws;
};

// A view with a picture of the loaded size (twips) handed over and set up. The zoom works
// from a picture two twips smaller on each axis.
struct SetUpView {
    explicit SetUpView(QSizeF loaded)
    {
        geometry.loadPicture(loaded);
        geometry.Form_Activate();
    }
    void drag(QPointF from, QPointF to)
    {
        geometry.picture1_MouseDown(from);
        geometry.picture1_MouseMove(true, to);
    }
    void click(int zoomIns, int zoomOuts = 0)
    {
        for (int i = 0; i < zoomIns; ++i)
            geometry.PushButton1_Click();
        for (int i = 0; i < zoomOuts; ++i)
            geometry.PushButton2_Click();
    }

    RecordingCanvas canvas;
    PreviewGeometry geometry{canvas};
};

} // namespace

class TestPreviewGeometry : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup();
    void scrollRange_data();
    void scrollRange();
    void valueByPercent_data();
    void valueByPercent();
    void setUpShowsPictureAtOneToOne();
    void zoomStaysInQuarterStepsWithinBounds();
    void zoomOnAStripOfPages_data();
    void zoomOnAStripOfPages();
    void limits_data();
    void limits();
    void zoomAfterRefusal_data();
    void zoomAfterRefusal();
    void snapshotPastLimits_data();
    void snapshotPastLimits();
    void drag_data();
    void drag();
    void snapAfterDrag_data();
    void snapAfterDrag();
    void snapToCurrentValueLeavesPicture();
    void scrollBarMovesPicture();
    void scrollByKeysWheelAndBar_data();
    void scrollByKeysWheelAndBar();
    void secondHandOverStartsOver();
    void failedDrawIsReportedAndGoesOn();
    void activationDuringSetUpIsIgnored();

private:
    test::ScriptedPrompts m_prompts;
};

void TestPreviewGeometry::cleanup()
{
    QCOMPARE(m_prompts.errorReports(), QStringList());
}

void TestPreviewGeometry::scrollRange_data()
{
    QTest::addColumn<double>("picture");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<int>("maximum"); // -1: left as it was
    QTest::addColumn<int>("step");

    const double viewport = viewport::OuterWidth;
    QTest::newRow("narrower") << viewport - 1 << false << -1 << 0;
    QTest::newRow("as wide") << viewport << false << -1 << 0;
    QTest::newRow("half a twip") << viewport + 0.5 << true << 0 << 1;
    QTest::newRow("excess 100") << viewport + 100 << true << 100 << 1;
    QTest::newRow("excess 100.5") << viewport + 100.5 << true << 10 << 10;
    QTest::newRow("excess 125, tie down") << viewport + 125 << true << 12 << 10;
    QTest::newRow("excess 135, tie up") << viewport + 135 << true << 14 << 10;
    QTest::newRow("excess 3000") << viewport + 3000 << true << 300 << 10;
    QTest::newRow("last in steps of ten") << viewport + 327674 << true << 32767 << 10;
    // Past 16 bits: the smallest tens that fit, the end shown at the viewport's inner edge.
    QTest::newRow("first in steps of twenty") << viewport + 327675 << true << 16387 << 20;
    QTest::newRow("5,000 classes") << 4359330.0 << true << 31072 << 140;
    QTest::newRow("32,766 classes") << 28500000.0 << true << 32748 << 870;
}

void TestPreviewGeometry::scrollRange()
{
    QFETCH(double, picture);
    QFETCH(bool, enabled);
    QFETCH(int, maximum);
    QFETCH(int, step);
    const ScrollRange range = scrollRangeFor(picture, viewport::OuterWidth, viewport::InnerWidth);
    QCOMPARE(range.enabled, enabled);
    QCOMPARE(range.maximum.value_or(-1), maximum);
    QCOMPARE(range.step, step);
}

void TestPreviewGeometry::valueByPercent_data()
{
    QTest::addColumn<int>("percent");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<int>("value"); // -1: the bar is left alone

    QTest::newRow("below 0") << -1 << 300 << -1;
    QTest::newRow("above 100") << 101 << 300 << -1;
    QTest::newRow("0") << 0 << 300 << 0;
    QTest::newRow("100") << 100 << 300 << 300;
    QTest::newRow("41 of 300") << 41 << 300 << 123;
    QTest::newRow("tie to even, down") << 50 << 5 << 2;
    QTest::newRow("tie to even, up") << 50 << 7 << 4;
}

void TestPreviewGeometry::valueByPercent()
{
    QFETCH(int, percent);
    QFETCH(int, maximum);
    QFETCH(int, value);
    QCOMPARE(quillory::valueByPercent(static_cast<qint16>(percent), maximum).value_or(-1), value);
}

void TestPreviewGeometry::setUpShowsPictureAtOneToOne()
{
    SetUpView view({12332, 9000});
    const PreviewGeometry& geometry = view.geometry;
    QVERIFY(!geometry.setupPending());
    QCOMPARE(geometry.zoom(), 1.0f);
    QCOMPARE(geometry.originalSize(), QSize(12330, 8998));
    QCOMPARE(geometry.picture1(), QRectF(0, 0, 12330, 8998));
    QCOMPARE(view.canvas.kept, 1);
    QCOMPARE(view.canvas.draws.size(), 1);
    QCOMPARE(view.canvas.draws.first(), qMakePair(QSize(12330, 8998), QSize(12330, 8998)));
    QCOMPARE(geometry.horizontal().step, 10);
    QCOMPARE(geometry.horizontal().bar.maximum, 300);
    QCOMPARE(geometry.vertical().bar.maximum, 157); // excess 1573
    QVERIFY(geometry.horizontal().bar.enabled && geometry.vertical().bar.enabled);

    view.click(0, 1);
    view.geometry.Form_Activate(); // nothing pending: the view stays as it is
    QCOMPARE(geometry.zoom(), 0.75f);
    QCOMPARE(view.canvas.draws.size(), 2);
}

void TestPreviewGeometry::zoomStaysInQuarterStepsWithinBounds()
{
    SetUpView view({1002, 802});
    QList<float> levels;
    for (int i = 0; i < 14; ++i) {
        view.click(1);
        levels << view.geometry.zoom();
    }
    QCOMPARE(levels.mid(10), (QList<float>{3.75f, 4.0f, 4.0f, 4.0f}));
    QCOMPARE(view.canvas.draws.size(), 1 + 12); // set-up, then 1.25 to 4.0
    QCOMPARE(view.geometry.picture1().size(), QSizeF(4000, 3200));

    for (int i = 0; i < 18; ++i) {
        view.click(0, 1);
        const float zoom = view.geometry.zoom();
        QCOMPARE(zoom * 4, std::floor(zoom * 4));
    }
    QCOMPARE(view.geometry.zoom(), 0.25f);
    QCOMPARE(view.geometry.picture1().size(), QSizeF(250, 200));
    QCOMPARE(view.canvas.draws.size(), 13 + 15);
}

void TestPreviewGeometry::zoomOnAStripOfPages_data()
{
    QTest::addColumn<int>("scrolledTo"); // VScroll1's value at 1.0, ten twips a step
    QTest::addColumn<int>("zoomOuts");
    QTest::addColumn<int>("zoomIns");
    QTest::addColumn<float>("zoom");
    QTest::addColumn<int>("draws");
    QTest::addColumn<double>("top"); // Picture1's top edge after the last step

    // Three pages at 0, 10230 and 20460 twips, the first 10080 high: taller than the limit, yet
    // the set-up draws the strip at 1.0, and no zoom up to 1.0 is refused.
    QTest::newRow("a step out is drawn") << 0 << 1 << 0 << 0.75f << 2 << 0.0;
    QTest::newRow("out, out and in again") << 0 << 2 << 1 << 0.75f << 4 << 0.0;
    QTest::newRow("the second page stays in view") << 1200 << 1 << 0 << 0.75f << 2 << -7672.0;
    // At 0.75 the end of the strip stops the view in the second page, which the next step keeps.
    QTest::newRow("the third page, as far as the end allows")
        << 2100 << 2 << 0 << 0.5f << 3 << -5115.0;
    QTest::newRow("back to 1.0 after a step out") << 1200 << 1 << 1 << 1.0f << 3 << -10230.0;
    QTest::newRow("a step past 1.0 is refused, at the page")
        << 1200 << 0 << 1 << 1.0f << 1 << -10230.0;
}

void TestPreviewGeometry::zoomOnAStripOfPages()
{
    QFETCH(int, scrolledTo);
    QFETCH(int, zoomOuts);
    QFETCH(int, zoomIns);
    QFETCH(float, zoom);
    QFETCH(int, draws);
    QFETCH(double, top);
    RecordingCanvas canvas;
    PreviewGeometry geometry(canvas);
    geometry.loadPicture({13682, 27000}, {0, 10230, 20460}, 10080);
    geometry.Form_Activate();
    QCOMPARE(canvas.draws.size(), 1);
    geometry.VScroll1_Change(scrolledTo);
    for (int i = 0; i < zoomOuts; ++i)
        geometry.PushButton2_Click();
    for (int i = 0; i < zoomIns; ++i)
        geometry.PushButton1_Click();
    QCOMPARE(geometry.zoom(), zoom);
    QCOMPARE(canvas.draws.size(), draws);
    QCOMPARE(geometry.vertical().edge, top);
    QCOMPARE(geometry.vertical().bar.value, qRound(-top / 10));
}

void TestPreviewGeometry::limits_data()
{
    QTest::addColumn<QSizeF>("loaded");
    QTest::addColumn<bool>("drawn");

    QTest::newRow("13799 wide") << QSizeF(13801, 9000) << true;
    QTest::newRow("13800 wide") << QSizeF(13802, 9000) << false;
    QTest::newRow("9699 high") << QSizeF(9000, 9701) << true;
    QTest::newRow("9700 high") << QSizeF(9000, 9702) << false;
    QTest::newRow("13799 x 9699") << QSizeF(13801, 9701) << true;
}

void TestPreviewGeometry::limits()
{
    QFETCH(QSizeF, loaded);
    QFETCH(bool, drawn);
    SetUpView view(loaded);
    QCOMPARE(view.canvas.draws.size(), drawn ? 1 : 0);
    QCOMPARE(view.geometry.zoom(), 1.0f);
    // A refused picture stays as it was loaded, at its own size.
    QCOMPARE(view.geometry.picture1().size(), drawn ? loaded - QSizeF(2, 2) : loaded);
}

void TestPreviewGeometry::zoomAfterRefusal_data()
{
    QTest::addColumn<bool>("zoomIn");
    QTest::addColumn<float>("zoom");
    QTest::addColumn<double>("width");

    QTest::newRow("in") << true << 1.25f << 11250.0;
    QTest::newRow("out") << false << 0.75f << 6750.0;
}

void TestPreviewGeometry::zoomAfterRefusal()
{
    QFETCH(bool, zoomIn);
    QFETCH(float, zoom);
    QFETCH(double, width);
    SetUpView view({9002, 3002});
    view.click(3); // 1.25 and 1.5 are drawn; 1.75 (15750 wide) is refused
    QCOMPARE(view.geometry.zoom(), 1.0f);
    QCOMPARE(view.canvas.draws.size(), 3);
    QCOMPARE(view.geometry.zoomedSize(), QSize(9000, 3000));
    // The picture still shows 1.5, at the top left, with the bars it had.
    QCOMPARE(view.geometry.picture1(), QRectF(0, 0, 13500, 4500));
    QCOMPARE(view.geometry.horizontal().bar.maximum, 417);

    view.click(zoomIn ? 1 : 0, zoomIn ? 0 : 1);
    QCOMPARE(view.geometry.zoom(), zoom);
    QCOMPARE(view.geometry.picture1().width(), width);
}

void TestPreviewGeometry::snapshotPastLimits_data()
{
    QTest::addColumn<QSizeF>("loaded");
    QTest::addColumn<int>("drawsAfterZoomOut");

    QTest::newRow("0.75 still too wide") << QSizeF(20000, 12000) << 0;
    QTest::newRow("0.75 fits") << QSizeF(15002, 9000) << 1;
}

void TestPreviewGeometry::snapshotPastLimits()
{
    QFETCH(QSizeF, loaded);
    QFETCH(int, drawsAfterZoomOut);
    SetUpView view(loaded);
    QCOMPARE(view.geometry.picture1(), QRectF(QPointF(0, 0), loaded));
    QCOMPARE(view.geometry.horizontal().step, 10);

    view.click(1);
    QCOMPARE(view.geometry.zoom(), 1.0f);
    QCOMPARE(view.canvas.draws.size(), 0);
    view.click(0, 1);
    QCOMPARE(view.canvas.draws.size(), drawsAfterZoomOut);
    QCOMPARE(view.geometry.zoom(), drawsAfterZoomOut ? 0.75f : 1.0f);
}

void TestPreviewGeometry::drag_data()
{
    QTest::addColumn<QSizeF>("loaded");
    QTest::addColumn<QPointF>("from");
    QTest::addColumn<QPointF>("to");
    QTest::addColumn<bool>("buttonHeld");
    QTest::addColumn<QPointF>("edges");

    const QSizeF wide(12332, 9002);
    const QSizeF narrow(5002, 4002);
    QTest::newRow("right at the left end")
        << wide << QPointF(100, 100) << QPointF(500, 100) << true << QPointF(0, 0);
    QTest::newRow("left and up") << wide << QPointF(2000, 900) << QPointF(766, 100) << true
                                 << QPointF(-1234, -800);
    // The far bound uses the viewport's inner size: 9270 - 12330 and 7365 - 9000.
    QTest::newRow("past the far ends")
        << wide << QPointF(9000, 5000) << QPointF(10, 10) << true << QPointF(-3060, -1635);
    QTest::newRow("narrow, left: to the right end")
        << narrow << QPointF(100, 100) << QPointF(99, 99) << true << QPointF(4270, 3365);
    QTest::newRow("narrow, right: back to 0")
        << narrow << QPointF(100, 100) << QPointF(300, 300) << true << QPointF(0, 0);
    QTest::newRow("no button held")
        << wide << QPointF(2000, 900) << QPointF(766, 100) << false << QPointF(0, 0);
}

void TestPreviewGeometry::drag()
{
    QFETCH(QSizeF, loaded);
    QFETCH(QPointF, from);
    QFETCH(QPointF, to);
    QFETCH(bool, buttonHeld);
    QFETCH(QPointF, edges);
    SetUpView view(loaded);
    view.geometry.picture1_MouseDown(from);
    view.geometry.picture1_MouseMove(buttonHeld, to);
    QCOMPARE(view.geometry.dragAnchor(), from);
    QCOMPARE(view.geometry.picture1().topLeft(), edges);
    QCOMPARE(view.geometry.picture1().size(), loaded - QSizeF(2, 2));
}

void TestPreviewGeometry::snapAfterDrag_data()
{
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("dragBy");
    QTest::addColumn<int>("value");
    QTest::addColumn<double>("edge");

    QTest::newRow("excess 3000, 41 %") << 12330.0 << -1234.0 << 123 << -1230.0;
    QTest::newRow("excess 3000, to the bound: 102 % ignored") << 12330.0 << -4000.0 << 0 << -3060.0;
    QTest::newRow("excess 50, step 1") << 9380.0 << -25.0 << 25 << -25.0;
    QTest::newRow("as wide as the viewport: left alone") << 9330.0 << -500.0 << 0 << -60.0;
    QTest::newRow("narrow: left alone") << 5000.0 << -1.0 << 0 << 4270.0;
}

void TestPreviewGeometry::snapAfterDrag()
{
    QFETCH(double, width);
    QFETCH(double, dragBy);
    QFETCH(int, value);
    QFETCH(double, edge);
    SetUpView view({width + 2, 9002});
    const ScrollBarState before = view.geometry.horizontal().bar;
    view.drag({5000, 100}, {5000 + dragBy, 100});
    view.geometry.Picture1_MouseUp();
    QCOMPARE(view.geometry.horizontal().bar.value, value);
    QCOMPARE(view.geometry.horizontal().bar.maximum, before.maximum);
    QCOMPARE(view.geometry.horizontal().edge, edge);
    QCOMPARE(view.geometry.vertical().edge, 0.0);
}

void TestPreviewGeometry::snapToCurrentValueLeavesPicture()
{
    SetUpView view({12332, 9002});
    view.drag({5000, 100}, {3766, 100});
    view.geometry.Picture1_MouseUp();
    QCOMPARE(view.geometry.horizontal().edge, -1230.0);
    view.drag({5000, 100}, {4998, 100}); // -1232 is still 41 %: value 123 again
    view.geometry.Picture1_MouseUp();
    QCOMPARE(view.geometry.horizontal().bar.value, 123);
    QCOMPARE(view.geometry.horizontal().edge, -1232.0);
}

void TestPreviewGeometry::scrollBarMovesPicture()
{
    SetUpView view({9382, 9000});
    view.geometry.HScroll1_Change(37); // step 1
    view.geometry.VScroll1_Change(12); // step 10
    QCOMPARE(view.geometry.picture1().topLeft(), QPointF(-37, -120));
    view.geometry.SetVScrollbarByPercent(101);
    QCOMPARE(view.geometry.vertical().bar.value, 12);
    view.geometry.SetVScrollbarByPercent(100);
    QCOMPARE(view.geometry.picture1().top(), -1570.0); // maximum 157 (excess 1573)
}

void TestPreviewGeometry::scrollByKeysWheelAndBar_data()
{
    QTest::addColumn<QSizeF>("loaded");
    QTest::addColumn<int>("zoomIns");
    QTest::addColumn<int>("barValue");  // VScroll1 set first; -1: not
    QTest::addColumn<double>("dragBy"); // then dragged down by so much and released
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("wheel"); // notches away from the user, three lines each
    QTest::addColumn<double>("top");
    QTest::addColumn<int>("value");

    // 9000 high: steps of ten, the bar ending at 1580; a drag goes to 1635.
    const QSizeF page(12332, 9002);
    QTest::newRow("Down: a line") << page << 0 << -1 << 0.0 << int(Qt::Key_Down) << 0 << -256.0
                                  << 26;
    QTest::newRow("zoomed to 1.25: a line is 320")
        << QSizeF(9002, 7002) << 1 << -1 << 0.0 << int(Qt::Key_Down) << 0 << -320.0 << 32;
    QTest::newRow("PageDown: to the end, as a drag goes")
        << page << 0 << -1 << 0.0 << int(Qt::Key_PageDown) << 0 << -1635.0 << 158;
    QTest::newRow("wheel towards the user") << page << 0 << -1 << 0.0 << 0 << -1 << -768.0 << 77;
    // 1,000,000 high: forty twips a unit, the end at 7365 - 1000000.
    const QSizeF tall(9332, 1000000);
    QTest::newRow("long: the bar's maximum shows the end")
        << tall << 0 << 24816 << 0.0 << 0 << 0 << -992635.0 << 24816;
    QTest::newRow("long: a released drag stays, the bar follows")
        << tall << 0 << 1000 << -4900.0 << 0 << 0 << -44900.0 << 1122;
}

void TestPreviewGeometry::scrollByKeysWheelAndBar()
{
    QFETCH(QSizeF, loaded);
    QFETCH(int, zoomIns);
    QFETCH(int, barValue);
    QFETCH(double, dragBy);
    QFETCH(int, key);
    QFETCH(int, wheel);
    QFETCH(double, top);
    QFETCH(int, value);
    SetUpView view(loaded);
    view.click(zoomIns);
    if (barValue >= 0)
        view.geometry.VScroll1_Change(barValue);
    view.drag({100, 5000}, {100, 5000 + dragBy});
    view.geometry.Picture1_MouseUp();
    view.geometry.scrollByWheel(Qt::Vertical, wheel, 3);
    QCOMPARE(view.geometry.scrollByKey(Qt::Key(key)), key != 0);
    QCOMPARE(view.geometry.picture1().top(), top);
    QCOMPARE(view.geometry.vertical().bar.value, value);
}

void TestPreviewGeometry::secondHandOverStartsOver()
{
    SetUpView view({9002, 7002});
    view.click(1);
    view.drag({5000, 100}, {3766, 100});
    view.geometry.Picture1_MouseUp();
    QCOMPARE(view.geometry.horizontal().bar.value, 123); // 64 % of 192

    view.geometry.loadPicture({3002, 2002});
    QVERIFY(view.geometry.setupPending());
    view.geometry.Form_Activate();
    QCOMPARE(view.canvas.kept, 2);
    QCOMPARE(view.geometry.zoom(), 1.0f);
    QCOMPARE(view.geometry.picture1(), QRectF(0, 0, 3000, 2000));
    QCOMPARE(view.geometry.horizontal().step, 0);
    QVERIFY(!view.geometry.horizontal().bar.enabled);
    QCOMPARE(view.geometry.horizontal().bar.value, 0);

    view.click(1);
    QCOMPARE(view.canvas.draws.last(), qMakePair(QSize(3000, 2000), QSize(3750, 2500)));
}

void TestPreviewGeometry::failedDrawIsReportedAndGoesOn()
{
    RecordingCanvas canvas;
    canvas.failDrawing = true;
    PreviewGeometry geometry(canvas);
    geometry.loadPicture({12332, 9002});
    geometry.Form_Activate();

    const QStringList reports = m_prompts.errorReports();
    QCOMPARE(reports.size(), 1);
    QVERIFY(reports.first().startsWith(
        u"Out of memory\r\nin Brackwater2021/08/31.Form2.RedrawImage at line 112\r\r"_s));
    QCOMPARE(canvas.arrows, 1); // the steps after the failed one still ran
    QCOMPARE(geometry.horizontal().bar.maximum, 300);
    QVERIFY(!geometry.setupPending());
    m_prompts.clear();
}

void TestPreviewGeometry::activationDuringSetUpIsIgnored()
{
    RecordingCanvas canvas;
    PreviewGeometry geometry(canvas);
    canvas.whileDrawing = [&] { geometry.Form_Activate(); };
    geometry.loadPicture({12332, 9002});
    geometry.Form_Activate();
    QCOMPARE(canvas.kept, 1);
    QCOMPARE(canvas.draws.size(), 1);
    QVERIFY(!geometry.setupPending());
}

QTEST_APPLESS_MAIN(TestPreviewGeometry)
#include "test_preview_geometry.moc"
