// SPDX-License-Identifier: MIT
// Where a window laid out at a fixed size goes on a screen, and when its content scrolls.
#include "widgets/window_fit.h"

#include <QTest>

using namespace quillory;

class TestWindowFit : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void placement_data();
    void placement();
};

// A frame of 4 pixels with a title bar of 24 and scroll bars 16 wide, in logical pixels.
void TestWindowFit::placement_data()
{
    QTest::addColumn<QSize>("laidOut");
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QPoint>("frameTopLeft");
    QTest::addColumn<QSize>("client");
    QTest::addColumn<bool>("scrolls");

    const QSize preview(656, 626);
    QTest::newRow("fits: as laid out, centred")
        << preview << QRect(0, 0, 1280, 1024) << QPoint(308, 185) << preview << false;
    QTest::newRow("below a panel")
        << preview << QRect(0, 30, 1280, 994) << QPoint(308, 200) << preview << false;
    QTest::newRow("200 % of 1280 x 1024: both ways")
        << preview << QRect(0, 0, 640, 512) << QPoint(0, 0) << QSize(632, 484) << true;
    QTest::newRow("125 % of 1366 x 768: down, wider by the bar")
        << preview << QRect(0, 0, 1092, 614) << QPoint(206, 0) << QSize(672, 586) << true;
    QTest::newRow("two pixels too tall")
        << QSize(536, 486) << QRect(0, 0, 640, 512) << QPoint(40, 0) << QSize(552, 484) << true;
    QTest::newRow("exactly the room")
        << QSize(536, 484) << QRect(0, 0, 640, 512) << QPoint(48, 0) << QSize(536, 484) << false;
}

void TestWindowFit::placement()
{
    QFETCH(QSize, laidOut);
    QFETCH(QRect, available);
    QFETCH(QPoint, frameTopLeft);
    QFETCH(QSize, client);
    QFETCH(bool, scrolls);
    const WindowPlacement place = placeWindow(laidOut, QMargins(4, 24, 4, 4), available, 16);
    QCOMPARE(place.frameTopLeft, frameTopLeft);
    QCOMPARE(place.client, client);
    QCOMPARE(place.scrolls, scrolls);
}

QTEST_APPLESS_MAIN(TestWindowFit)
#include "test_window_fit.moc"
