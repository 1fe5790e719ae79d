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
    void zoomKeepsTheCentre_data();
    void zoomKeepsTheCentre();
    void limits_data();
    void limits();
    void zoomAfterRefusal_data();
    void zoomAfterRefusal();
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

void TestPreviewGeometry::zoomKeepsTheCentre_data()
{
    QTest::addColumn<QSizeF>("loaded");
    QTest::addColumn<double>("firstPage");  // 0: one page
    QTest::addColumn<QPoint>("scrolledTo"); // the bars' values at 1.0, ten twips a step
    QTest::addColumn<int>("zoomIns");       // first
    QTest::addColumn<int>("zoomOuts");      // then
    QTest::addColumn<int>("zoomInsAfter");  // and last
    QTest::addColumn<float>("zoom");
    QTest::addColumn<int>("draws");
    QTest::addColumn<QPointF>("edges"); // Picture1's left and top after the last step
    QTest::addColumn<int>("barValue");  // VScroll1's

    // Three pages, the first 10080 high: taller than the limit, yet drawn at 1.0 and below. The
    // viewport's centre lies 4635 and 3682.5 twips into it.
    const QSizeF strip(13682, 27000);
    QTest::newRow("a step out is drawn")
        << strip << 10080.0 << QPoint() << 0 << 1 << 0 << 0.75f << 2 << QPointF(0, 0) << 0;
    // At 0.5 the centre is 9270 and 7365 twips into the page: at 0.75, as far as the page goes.
    QTest::newRow("out, out and in again")
        << strip << 10080.0 << QPoint() << 0 << 2 << 1 << 0.75f << 4 << QPointF(-990, -1841) << 184;
    // 15682.5 down at 1.0 is 11761.875 at 0.75, at the centre.
    QTest::newRow("the centre stays, out") << strip << 10080.0 << QPoint(0, 1200) << 0 << 1 << 0
                                           << 0.75f << 2 << QPointF(0, -8079) << 808;
    QTest::newRow("as far as the end allows") << strip << 10080.0 << QPoint(0, 1957) << 0 << 2 << 0
                                              << 0.5f << 3 << QPointF(0, -6134) << 607;
    // Down the strip back in place; across, the centre at 0.75 was 6180 twips in.
    QTest::newRow("out and in: the point at the centre stays")
        << strip << 10080.0 << QPoint(0, 1200) << 0 << 1 << 1 << 1.0f << 3 << QPointF(-1545, -12000)
        << 1200;
    QTest::newRow("a step past 1.0 is refused, in place")
        << strip << 10080.0 << QPoint(0, 1200) << 1 << 0 << 0 << 1.0f << 1 << QPointF(0, -12000)
        << 1200;
    // One page of 9000 × 6000: the centre 4635 × 3682.5 is 5793.75 × 4603.125 at 1.25, where
    // the page's end stops the view 135 twips down.
    const QSizeF page(9002, 6002);
    QTest::newRow("one page, in: both ways")
        << page << 0.0 << QPoint() << 1 << 0 << 0 << 1.25f << 2 << QPointF(-1159, -135) << 75;
    QTest::newRow("one page, in twice and out")
        << page << 0.0 << QPoint() << 2 << 1 << 0 << 1.25f << 4 << QPointF(-1159, -135) << 75;
}

void TestPreviewGeometry::zoomKeepsTheCentre()
{
    QFETCH(QSizeF, loaded);
    QFETCH(double, firstPage);
    QFETCH(QPoint, scrolledTo);
    QFETCH(int, zoomIns);
    QFETCH(int, zoomOuts);
    QFETCH(int, zoomInsAfter);
    QFETCH(float, zoom);
    QFETCH(int, draws);
    QFETCH(QPointF, edges);
    QFETCH(int, barValue);
    RecordingCanvas canvas;
    PreviewGeometry geometry(canvas);
    geometry.loadPicture(loaded, firstPage);
    geometry.Form_Activate();
    geometry.HScroll1_Change(scrolledTo.x());
    geometry.VScroll1_Change(scrolledTo.y());
    for (const auto& [clicks, zoomStep] : {std::pair{zoomIns, &PreviewGeometry::PushButton1_Click},
                                           {zoomOuts, &PreviewGeometry::PushButton2_Click},
                                           {zoomInsAfter, &PreviewGeometry::PushButton1_Click}}) {
        for (int i = 0; i < clicks; ++i)
            (geometry.*zoomStep)();
    }
    QCOMPARE(geometry.zoom(), zoom);
    QCOMPARE(canvas.draws.size(), draws);
    QCOMPARE(geometry.picture1().topLeft(), edges);
    QCOMPARE(geometry.vertical().bar.value, barValue);
}

// A step above 1.0 is refused from a scaled width of 13800 or height of 9700 on; 1.0 and below
// never are, nor is the set-up.
void TestPreviewGeometry::limits_data()
{
    QTest::addColumn<QSizeF>("loaded");
    QTest::addColumn<int>("zoomOuts"); // first
    QTest::addColumn<int>("zoomIns");  // then
    QTest::addColumn<float>("zoom");
    QTest::addColumn<QSize>("drawn"); // last

    QTest::newRow("13798 wide at 1.25")
        << QSizeF(11041, 5000) << 0 << 1 << 1.25f << QSize(13798, 6247);
    QTest::newRow("13800 wide at 1.25")
        << QSizeF(11042, 5000) << 0 << 1 << 1.0f << QSize(11040, 4998);
    QTest::newRow("9698 high at 1.25")
        << QSizeF(5000, 7761) << 0 << 1 << 1.25f << QSize(6247, 9698);
    QTest::newRow("9700 high at 1.25") << QSizeF(5000, 7762) << 0 << 1 << 1.0f << QSize(4998, 7760);
    QTest::newRow("past the limits: set up at 1.0")
        << QSizeF(20002, 12002) << 0 << 0 << 1.0f << QSize(20000, 12000);
    QTest::newRow("past the limits: out")
        << QSizeF(20002, 12002) << 1 << 0 << 0.75f << QSize(15000, 9000);
    QTest::newRow("9780 high: out and back to 1.0")
        << QSizeF(13682, 9782) << 1 << 1 << 1.0f << QSize(13680, 9780);
}

void TestPreviewGeometry::limits()
{
    QFETCH(QSizeF, loaded);
    QFETCH(int, zoomOuts);
    QFETCH(int, zoomIns);
    QFETCH(float, zoom);
    QFETCH(QSize, drawn);
    SetUpView view(loaded);
    view.click(0, zoomOuts);
    view.click(zoomIns);
    QCOMPARE(view.geometry.zoom(), zoom);
    QCOMPARE(view.canvas.draws.last().second, drawn);
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
    // The picture still shows 1.5, where it was (its centre 4635.33 twips in), with its bars.
    QCOMPARE(view.geometry.picture1(), QRectF(-2318, 0, 13500, 4500));
    QCOMPARE(view.geometry.horizontal().bar.maximum, 417);

    view.click(zoomIn ? 1 : 0, zoomIn ? 0 : 1);
    QCOMPARE(view.geometry.zoom(), zoom);
    QCOMPARE(view.geometry.picture1().width(), width);
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
    QTest::newRow("zoomed to 1.25 about the centre: a line is 320")
        << QSizeF(9002, 7002) << 1 << -1 << 0.0 << int(Qt::Key_Down) << 0 << -1241.0 << 124;
    QTest::newRow("PageDown: to the end, as a drag goes")
        << page << 0 << -1 << 0.0 << int(Qt::Key_PageDown) << 0 << -1635.0 << 158;
    QTest::newRow("wheel towards the user") << page << 0 << -1 << 0.0 << 0 << -1 << -768.0 << 77;
    // 999,998 high, drawn at 1.0: forty twips a unit, the end at 7365 - 999998.
    const QSizeF tall(9332, 1000000);
    QTest::newRow("long: the bar's maximum shows the end")
        << tall << 0 << 24816 << 0.0 << 0 << 0 << -992633.0 << 24816;
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
    view.click(1); // about the centre: the left edge at -1159
    view.drag({5000, 100}, {4500, 100});
    view.geometry.Picture1_MouseUp();
    QCOMPARE(view.geometry.horizontal().bar.value, 165); // 86 % of 192

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
