// SPDX-License-Identifier: MIT
// Enter on a focused button; input held off while work blocks the windows; where a window goes
// on its screen, and when its content scrolls.
#include "widgets/enter_presses.h"
#include "widgets/held_input.h"
#include "widgets/window_fit.h"

#include <QDialog>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace quillory;
using namespace Qt::StringLiterals;

namespace {

// A click as the window system queues it: delivered when the event loop next runs.
void queueClick(QWidget* target)
{
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
        QCoreApplication::postEvent(target, new QMouseEvent(type, QPointF(2, 2), QPointF(2, 2),
                                                            Qt::LeftButton, Qt::LeftButton, {}));
}

} // namespace

class TestWindowInput : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void enterPressesOnlyTheFocusedButton_data();
    void enterPressesOnlyTheFocusedButton();
    void inputWhileBusyReachesOnlyADialog();
    void placement_data();
    void placement();
};

void TestWindowInput::enterPressesOnlyTheFocusedButton_data()
{
    QTest::addColumn<bool>("onButton"); // else in a text box
    QTest::addColumn<QKeyCombination>("key");
    QTest::addColumn<int>("clicks");
    QTest::newRow("Return") << true << QKeyCombination(Qt::Key_Return) << 1;
    QTest::newRow("keypad Enter") << true << (Qt::KeypadModifier | Qt::Key_Enter) << 1;
    QTest::newRow("Ctrl+Return") << true << (Qt::ControlModifier | Qt::Key_Return) << 0;
    QTest::newRow("Return in a text box: a new line")
        << false << QKeyCombination(Qt::Key_Return) << 0;
}

void TestWindowInput::enterPressesOnlyTheFocusedButton()
{
    QFETCH(bool, onButton);
    QFETCH(QKeyCombination, key);
    QFETCH(int, clicks);
    QWidget window;
    auto* button = new QPushButton(&window);
    auto* text = new QPlainTextEdit(&window);
    letEnterPressButtons(window);
    QSignalSpy clicked(button, &QPushButton::clicked);
    QTest::keyClick(onButton ? static_cast<QWidget*>(button) : text, key.key(),
                    key.keyboardModifiers());
    QCOMPARE(clicked.count(), clicks);
    QCOMPARE(text->toPlainText(), onButton ? QString() : u"\n"_s);
}

// Once the work is over, the window answers again.
void TestWindowInput::inputWhileBusyReachesOnlyADialog()
{
    QWidget window;
    auto* button = new QPushButton(&window);
    window.show();
    QDialog report(&window);
    auto* ok = new QPushButton(&report);
    QSignalSpy windowClicks(button, &QPushButton::clicked);
    QSignalSpy reportClicks(ok, &QPushButton::clicked);
    {
        const HeldInput held;
        queueClick(button);
        report.open();
        queueClick(ok);
        QCoreApplication::processEvents();
        report.close();
        queueClick(button);
    }
    QCOMPARE(windowClicks.count(), 0);
    QCOMPARE(reportClicks.count(), 1);
    queueClick(button);
    QCoreApplication::processEvents();
    QCOMPARE(windowClicks.count(), 1);
}

// A frame of 4 pixels with a title bar of 24 and scroll bars 16 wide, in logical pixels.
void TestWindowInput::placement_data()
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

void TestWindowInput::placement()
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

QTEST_MAIN(TestWindowInput)
#include "test_window_input.moc"
