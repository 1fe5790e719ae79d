// SPDX-License-Identifier: MIT
// Which keystrokes in the name box make one step of the undo history.
#include "app/typing_burst.h"

#include <QTest>

using namespace quillory;
using namespace Qt::StringLiterals;

class TestTypingBurst : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void burstsOfTyping_data();
    void burstsOfTyping();
};

void TestTypingBurst::burstsOfTyping_data()
{
    // The name went from `first` to `second` at 0 ms, then to `third` at `at` ms.
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<QString>("third");
    QTest::addColumn<int>("at");
    QTest::addColumn<bool>("oneStep");
    QTest::newRow("typed on") << u""_s << u"B"_s << u"Bo"_s << 300 << true;
    QTest::newRow("typed over the selection, then on")
        << u"Ada"_s << u"B"_s << u"Bo"_s << 300 << true;
    QTest::newRow("two seconds later") << u"B"_s << u"Bo"_s << u"Bob"_s << 2000 << true;
    QTest::newRow("after a longer pause") << u"B"_s << u"Bo"_s << u"Bob"_s << 2001 << false;
    QTest::newRow("typed elsewhere") << u""_s << u"B"_s << u"xB"_s << 300 << false;
    QTest::newRow("Backspace twice") << u"Bob"_s << u"Bo"_s << u"B"_s << 100 << true;
    QTest::newRow("Delete twice") << u"Bob"_s << u"ob"_s << u"b"_s << 100 << true;
    QTest::newRow("typed after a paste") << u""_s << u"Hello"_s << u"Hellos"_s << 100 << false;
    QTest::newRow("a selection deleted") << u"Bob"_s << u"B"_s << u""_s << 100 << false;
}

void TestTypingBurst::burstsOfTyping()
{
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(QString, third);
    QFETCH(int, at);
    QFETCH(bool, oneStep);
    QCOMPARE(continuesTyping(textEdit(first, second, 0), textEdit(second, third, at)), oneStep);
}

QTEST_APPLESS_MAIN(TestTypingBurst)
#include "test_typing_burst.moc"
