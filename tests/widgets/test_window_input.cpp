// SPDX-License-Identifier: MIT
// Enter on a focused button; input held off while work blocks the windows.
#include "widgets/enter_presses.h"
#include "widgets/held_input.h"

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

QTEST_MAIN(TestWindowInput)
#include "test_window_input.moc"
