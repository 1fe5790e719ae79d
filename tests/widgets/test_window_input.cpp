// SPDX-License-Identifier: MIT
// The keys and clicks the windows share: Enter on a focused button, and input held off while a
// piece of work blocks the windows.
#include "widgets/enter_presses.h"
#include "widgets/held_input.h"

#include <QDialog>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace quillory;
using namespace Qt::StringLiterals;

namespace {

// A window with a button, a line and a text box, as the program's windows have.
struct Window {
    QWidget window;
    QPushButton* button = new QPushButton(u"Go"_s, &window);
    QLineEdit* line = new QLineEdit(&window);
    QPlainTextEdit* text = new QPlainTextEdit(&window);

    Window()
    {
        line->move(0, 40);
        text->move(0, 80);
        letEnterPressButtons(window);
        window.show();
    }
};

// A click as the window system queues it: delivered when the event loop next runs.
void queueClick(QWidget* target)
{
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
        QCoreApplication::postEvent(
            target, new QMouseEvent(type, QPointF(2, 2), target->mapToGlobal(QPointF(2, 2)),
                                    Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
}

} // namespace

class TestWindowInput : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void enterPressesOnlyTheFocusedButton_data();
    void enterPressesOnlyTheFocusedButton();
    void inputWhileBusyIsDropped();
};

void TestWindowInput::enterPressesOnlyTheFocusedButton_data()
{
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QKeyCombination>("key");
    QTest::addColumn<int>("clicks");
    QTest::addColumn<QString>("text"); // what the text box holds afterwards
    QTest::newRow("Return on the button")
        << u"button"_s << QKeyCombination(Qt::Key_Return) << 1 << QString();
    QTest::newRow("keypad Enter on the button")
        << u"button"_s << (Qt::KeypadModifier | Qt::Key_Enter) << 1 << QString();
    QTest::newRow("Space on the button")
        << u"button"_s << QKeyCombination(Qt::Key_Space) << 1 << QString();
    QTest::newRow("Ctrl+Return on the button")
        << u"button"_s << (Qt::ControlModifier | Qt::Key_Return) << 0 << QString();
    QTest::newRow("Return in a line")
        << u"line"_s << QKeyCombination(Qt::Key_Return) << 0 << QString();
    QTest::newRow("Return in a text box")
        << u"text"_s << QKeyCombination(Qt::Key_Return) << 0 << u"\n"_s;
}

void TestWindowInput::enterPressesOnlyTheFocusedButton()
{
    QFETCH(QString, focus);
    QFETCH(QKeyCombination, key);
    QFETCH(int, clicks);
    QFETCH(QString, text);
    Window window;
    QSignalSpy clicked(window.button, &QPushButton::clicked);
    QWidget* target = focus == u"button"_s ? static_cast<QWidget*>(window.button)
                      : focus == u"line"_s ? static_cast<QWidget*>(window.line)
                                           : static_cast<QWidget*>(window.text);
    QTest::keyClick(target, key.key(), key.keyboardModifiers());
    QCOMPARE(clicked.count(), clicks);
    QCOMPARE(window.text->toPlainText(), text);
}

// While held, what reaches the window is dropped, and what reaches a modal dialog the work
// opens is not; once the work is over, the window answers again.
void TestWindowInput::inputWhileBusyIsDropped()
{
    Window window;
    QDialog report(&window.window);
    auto* ok = new QPushButton(u"OK"_s, &report);
    QSignalSpy windowClicks(window.button, &QPushButton::clicked);
    QSignalSpy reportClicks(ok, &QPushButton::clicked);
    {
        const HeldInput held;
        queueClick(window.button);
        QTest::keyClick(window.line, Qt::Key_A);
        report.open();
        queueClick(ok);
        QCoreApplication::processEvents();
        report.close();
        queueClick(window.button);
    }
    QCOMPARE(windowClicks.count(), 0);
    QCOMPARE(window.line->text(), QString());
    QCOMPARE(reportClicks.count(), 1);
    queueClick(window.button);
    QCoreApplication::processEvents();
    QCOMPARE(windowClicks.count(), 1);
}

QTEST_MAIN(TestWindowInput)
#include "test_window_input.moc"
