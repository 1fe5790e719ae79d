// SPDX-License-Identifier: MIT
// Dates typed or pasted into the date picker, in the locale's forms.
#include "homework/typed_date.h"

#include <QTest>

using namespace quillory;
using namespace Qt::StringLiterals;

class TestTypedDate : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void readsTheFormsOfTheLocale_data();
    void readsTheFormsOfTheLocale();
};

void TestTypedDate::readsTheFormsOfTheLocale_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("nearYear");
    QTest::addColumn<QDate>("date"); // invalid: the text is no date
    const QDate valentines(2027, 2, 14);
    QTest::newRow("as shown") << u"en_US"_s << u"February 14, 2027"_s << 2013 << valentines;
    QTest::newRow("as shown, one-digit day")
        << u"en_US"_s << u"February 4, 2027"_s << 2013 << QDate(2027, 2, 4);
    QTest::newRow("as shown, spaces and small letters")
        << u"en_US"_s << u"  february  04, 2027 "_s << 2013 << QDate(2027, 2, 4);
    QTest::newRow("short") << u"en_US"_s << u"2/14/27"_s << 2013 << valentines;
    QTest::newRow("short, four-digit year") << u"en_US"_s << u"2/14/2027"_s << 2013 << valentines;
    QTest::newRow("two digits, nearer the last century")
        << u"en_US"_s << u"2/14/76"_s << 2025 << QDate(1976, 2, 14);
    QTest::newRow("two digits, as near both ways")
        << u"en_US"_s << u"2/14/76"_s << 2026 << QDate(2076, 2, 14);
    QTest::newRow("German short") << u"de_DE"_s << u"14.02.27"_s << 2026 << valentines;
    QTest::newRow("Japanese as shown") << u"ja_JP"_s << u"2月 14, 2027"_s << 2026 << valentines;
    QTest::newRow("Arabic short, Arabic digits")
        << u"ar_EG"_s << u"١٤\u200F/٢\u200F/٢٠٢٧"_s << 2026 << valentines;
    QTest::newRow("Arabic short, Western digits")
        << u"ar_EG"_s << u"14/2/2027"_s << 2026 << valentines;
    QTest::newRow("abbreviated month") << u"en_US"_s << u"Feb 14, 2027"_s << 2026 << QDate();
    QTest::newRow("no such day") << u"en_US"_s << u"February 30, 2027"_s << 2026 << QDate();
    QTest::newRow("day first in the US") << u"en_US"_s << u"14/2/27"_s << 2026 << QDate();
    QTest::newRow("before the picker's range") << u"en_US"_s << u"12/31/1600"_s << 2026 << QDate();
}

void TestTypedDate::readsTheFormsOfTheLocale()
{
    QFETCH(QString, locale);
    QFETCH(QString, typed);
    QFETCH(int, nearYear);
    QFETCH(QDate, date);
    QCOMPARE(readTypedDate(typed, QLocale(locale), nearYear).value_or(QDate()), date);
}

QTEST_APPLESS_MAIN(TestTypedDate)
#include "test_typed_date.moc"
