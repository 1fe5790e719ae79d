// SPDX-License-Identifier: MIT
// The class list's stored form, the list model, the stored name and date, and dates typed.
#include "base/failure.h"
#include "base/settings_store.h"
#include "homework/general_fields.h"
#include "homework/homework_list_model.h"
#include "homework/homework_store.h"
#include "homework/stored_form.h"
#include "homework/typed_date.h"
#include "tests/support/failure_status.h"
#include "tests/support/isolated_settings.h"
#include "tests/support/test_entries.h"
#include "tests/support/test_files.h"

#include <QSignalSpy>
#include <QTest>

using namespace quillory;
using namespace quillory::test;
using namespace Qt::StringLiterals;

class TestStoredForm : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void writesTheExactText_data();
    void writesTheExactText();
    void readsStoredTexts_data();
    void readsStoredTexts();
    void incompletePiecesKeepEveryRow();
    void rowsThatReadBack_data();
    void rowsThatReadBack();
    void roundTripThroughTheSettingsFile();
    void loadReportsDamageOnceAfterReadingAll();
    void handEditedCommas_data();
    void handEditedCommas();
    void listLongerThanSixteenBits();
    void modelOperations();
    void longTextsAreCutForDisplay_data();
    void longTextsAreCutForDisplay();
    void fiftyMegabyteTextStaysWhole();
    void generalFields();
    void typedDates_data();
    void typedDates();
};

void TestStoredForm::writesTheExactText_data()
{
    QTest::addColumn<QList<HomeworkEntry>>("entries");
    QTest::addColumn<QString>("stored");
    QTest::newRow("empty list") << QList<HomeworkEntry>{} << QString();
    QTest::newRow("one row, Monday only")
        << QList{entry(u"1"_s, {u"Read"_s})} << u"1"_s + F + u"Read"_s + F.repeated(6) + R;
    QTest::newRow("all fields empty") << QList{entry(QString())} << F.repeated(7) + R;
    QTest::newRow("two rows, blanks kept")
        << QList{entry(u" a "_s, {u"m"_s, {}, {}, {}, {}, {}, u"s "_s}), entry(u"b"_s)}
        << u" a "_s + F + u"m"_s + F.repeated(6) + u"s "_s + R + u"b"_s + F.repeated(7) + R;
}

void TestStoredForm::writesTheExactText()
{
    QFETCH(QList<HomeworkEntry>, entries);
    QFETCH(QString, stored);
    QCOMPARE(toStoredForm(entries), stored);
    QCOMPARE(parseStoredForm(stored).entries, entries);
}

void TestStoredForm::readsStoredTexts_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QList<HomeworkEntry>>("entries");
    QTest::addColumn<int>("incomplete");
    QTest::newRow("blank-only piece skipped")
        << u"   "_s + R + u"x"_s + F.repeated(7) + R << QList{entry(u"x"_s)} << 0;
    QTest::newRow("blanks and text kept")
        << u"  y "_s + F.repeated(7) + R << QList{entry(u"  y "_s)} << 0;
    QTest::newRow("tab is no blank") << u"\t"_s + F.repeated(7) + R << QList{entry(u"\t"_s)} << 0;
    QTest::newRow("no separators: one short row")
        << u"just text"_s << QList{entry(u"just text"_s)} << 1;
    QTest::newRow("extra fields ignored")
        << u"p"_s + F + u"1"_s + F + u"2"_s + F.repeated(5) + F + u"extra"_s + R
        << QList{entry(u"p"_s, {u"1"_s, u"2"_s})} << 0;
    QTest::newRow("short piece in the middle")
        << u"a"_s + F.repeated(7) + R + u"b"_s + F + u"mon"_s + R + u"c"_s + F.repeated(7) + R
        << QList{entry(u"a"_s), entry(u"b"_s, {u"mon"_s}), entry(u"c"_s)} << 1;
    QTest::newRow("missing last row separator")
        << u"a"_s + F.repeated(7) << QList{entry(u"a"_s)} << 0;
    QTest::newRow("separators are case-sensitive") << u"a||myseparator234||b"_s + F.repeated(7) + R
                                                   << QList{entry(u"a||myseparator234||b"_s)} << 0;
}

void TestStoredForm::readsStoredTexts()
{
    QFETCH(QString, stored);
    QFETCH(QList<HomeworkEntry>, entries);
    QFETCH(int, incomplete);
    const ParsedHomework parsed = parseStoredForm(stored);
    QCOMPARE(parsed.entries, entries);
    QCOMPARE(parsed.incompleteRows, incomplete);
}

void TestStoredForm::incompletePiecesKeepEveryRow()
{
    // A row whose own text holds a row separator splits in two short rows; nothing after
    // them may be lost.
    const QString stored =
        u"x"_s + F + u"mon"_s + R + u"tail"_s + F.repeated(6) + R + u"later"_s + F.repeated(7) + R;
    const ParsedHomework parsed = parseStoredForm(stored);
    QCOMPARE(parsed.entries.size(), 3);
    QCOMPARE(parsed.incompleteRows, 2);
    QCOMPARE(parsed.entries.last(), entry(u"later"_s));
}

void TestStoredForm::rowsThatReadBack_data()
{
    QTest::addColumn<HomeworkEntry>("row");
    QTest::addColumn<bool>("readsBack");
    QTest::newRow("plain") << entry(u"1"_s, {u"a"_s}) << true;
    QTest::newRow("all empty") << entry({}) << true;
    QTest::newRow("blank period") << entry(u"   "_s) << true;
    QTest::newRow("separator halves") << entry(u"||MySeparator12"_s, {u"3||"_s}) << true;
    QTest::newRow("ends in '||MySeparator'") << entry(u"1"_s, {u"x||MySeparator"_s}) << true;
    QTest::newRow("starts with '||'") << entry(u"1"_s, {u"||x"_s, u"|"_s}) << true;
    QTest::newRow("field separator inside") << entry(u"1"_s + F) << false;
    QTest::newRow("row separator inside") << entry(u"1"_s, {u"a"_s + R + u"b"_s}) << false;
    // The text and the field separator after it hold a row separator: the row splits.
    QTest::newRow("Monday ends in '||MySeparator234'")
        << entry(u"1"_s, {u"x||MySeparator234"_s}) << false;
    QTest::newRow("period ends in '||MySeparator123'") << entry(u"x||MySeparator123"_s) << false;
    QTest::newRow("Sunday ends in '||MySeparator234'")
        << entry(u"1"_s, {QString(), {}, {}, {}, {}, {}, u"||MySeparator234"_s}) << false;
    QTest::newRow("Sunday ends in '|'")
        << entry(u"1"_s, {QString(), {}, {}, {}, {}, {}, u"a|"_s}) << true;
}

void TestStoredForm::rowsThatReadBack()
{
    QFETCH(HomeworkEntry, row);
    QFETCH(bool, readsBack);
    QCOMPARE(readsBackAsItself(row), readsBack);
    // Whatever comes before and after it in a list.
    const QList rows{entry(u"before"_s, {u"b"_s}), row, entry(u"||after"_s, {u"a"_s})};
    QCOMPARE(parseStoredForm(toStoredForm(rows)).entries == rows, readsBack);
}

void TestStoredForm::roundTripThroughTheSettingsFile()
{
    test::IsolatedSettings isolated;
    HomeworkListModel list;
    list.append(entry(u"1. Physical Science"_s, {u"Lab Report"_s, {}, u"Quiz, part 1; =2"_s}));
    list.append(entry(u"  2. English  "_s, {u"line one\nline two\r\nthree"_s}));
    list.append(entry(u"3. Ünïcödé 日本"_s, {QString(), u"😀 emoji"_s, {}, {}, {}, {}, u"עברית"_s}));
    list.append(entry(QString()));
    test::require(SaveHomeworkList(list));
    QCOMPARE(GetSetting(u"Homework"_s, QString()), toStoredForm(list.entries()));

    HomeworkListModel restored;
    restored.append(entry(u"stale"_s));
    test::require(LoadHomeworkList(restored));
    QCOMPARE(restored.entries(), list.entries());

    list.clear();
    test::require(SaveHomeworkList(list));
    QCOMPARE(GetSetting(u"Homework"_s, u"not empty"_s), QString());
    test::require(LoadHomeworkList(restored));
    QCOMPARE(restored.rowCount(), 0);
}

void TestStoredForm::loadReportsDamageOnceAfterReadingAll()
{
    test::IsolatedSettings isolated;
    test::require(SaveSetting(u"Homework"_s,
                              u"a"_s + F + u"m"_s + R + u"b"_s + R + u"c"_s + F.repeated(7) + R));
    HomeworkListModel list;
    QVERIFY(!LoadHomeworkList(list));
    QCOMPARE(list.rowCount(), 3);
    QCOMPARE(list.entry(0), entry(u"a"_s, {u"m"_s}));
    QCOMPARE(list.entry(2).Period, u"c"_s);
}

void TestStoredForm::handEditedCommas_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QList<HomeworkEntry>>("read");
    QTest::addColumn<bool>("reported");
    QTest::newRow("a comma in a period")
        << "Homework=Math, Algebra" + (F + u"x"_s + F.repeated(6) + R).toUtf8()
        << QList{entry(u"Math, Algebra"_s, {u"x"_s})} << false;
    QTest::newRow("quoted items") << QByteArray("Homework=\"a\", \"b\"") << QList<HomeworkEntry>()
                                  << true;
}

// Read as written, or reported and kept as it is until the user makes a list.
void TestStoredForm::handEditedCommas()
{
    QFETCH(QByteArray, line);
    QFETCH(QList<HomeworkEntry>, read);
    QFETCH(bool, reported);
    test::IsolatedSettings isolated;
    test::require(SaveSetting(u"Text1_0"_s, {})); // makes the settings folder
    QVERIFY(
        test::writeBytes(isolated.filePath(), "[Quillory]\n" + line + "\nText1_0=Smith, John\n"));
    HomeworkListModel list;
    QCOMPARE(test::failureOf(LoadHomeworkList(list)).has_value(), reported);
    QCOMPARE(list.entries(), read);
    QCOMPARE(restoredName(0), u"Smith, John"_s);
    test::require(SaveHomeworkList(list));
    QCOMPARE(test::readBytes(isolated.filePath()).contains(line), reported);
    QCOMPARE(SettingIsNoText(u"Homework"_s), reported);
}

void TestStoredForm::listLongerThanSixteenBits()
{
    test::IsolatedSettings isolated;
    QList<HomeworkEntry> many;
    for (int i = 0; i < 40000; ++i)
        many.append(entry(QString::number(i), {u"d"_s}));
    HomeworkListModel list;
    list.setEntries(many);
    test::require(SaveHomeworkList(list));
    HomeworkListModel restored;
    test::require(LoadHomeworkList(restored));
    QCOMPARE(restored.rowCount(), 40000);
    QCOMPARE(restored.entry(39999).Period, u"39999"_s);
    QCOMPARE(restored.entry(32768).Period, u"32768"_s);
}

void TestStoredForm::modelOperations()
{
    HomeworkListModel list;
    QCOMPARE(list.columnCount(), 8);
    QCOMPARE(list.headerData(3, Qt::Horizontal, Qt::DisplayRole).toString(), u" Wednesday"_s);
    QCOMPARE(homeworkColumnHeaders().first(), u"Period"_s);
    QCOMPARE(homeworkColumnHeaders().last(), u"Sunday"_s);
    for (const QString& period : {u"a"_s, u"b"_s, u"c"_s})
        list.append(entry(period, {period + u"-mon"_s}));
    QCOMPARE(list.data(list.index(1, 1), Qt::DisplayRole).toString(), u"b-mon"_s);
    QSignalSpy changed(&list, &QAbstractItemModel::dataChanged);
    list.replace(1, entry(u"B"_s));
    QCOMPARE(changed.size(), 1);
    list.remove(0);
    QCOMPARE(list.entries(), (QList{entry(u"B"_s), entry(u"c"_s, {u"c-mon"_s})}));
    list.clear();
    QCOMPARE(list.rowCount(), 0);
}

void TestStoredForm::longTextsAreCutForDisplay_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("cell");
    QTest::addColumn<int>("tooltipLength");
    const QString a200 = QString(200, u'a');
    QTest::newRow("short") << u"Read chapter 3"_s << u"Read chapter 3"_s << 14;
    QTest::newRow("exactly 200") << a200 << a200 << 200;
    QTest::newRow("201") << a200 + u"b"_s << a200 + u"\u2026"_s << 201;
    // The 200th unit opens a surrogate pair: the pair goes whole.
    QTest::newRow("emoji at the cut")
        << QString(199, u'a') + u"\U0001F600tail"_s << QString(199, u'a') + u"\u2026"_s << 205;
    QTest::newRow("lines") << QString(3000, u'\n') << QString(200, u'\n') + u"\u2026"_s << 2001;
}

void TestStoredForm::longTextsAreCutForDisplay()
{
    QFETCH(QString, text);
    QFETCH(QString, cell);
    QFETCH(int, tooltipLength);
    HomeworkListModel list;
    list.append(entry(text, {text}));
    for (const int column : {0, 1}) {
        QCOMPARE(list.data(list.index(0, column), Qt::DisplayRole).toString(), cell);
        QCOMPARE(list.data(list.index(0, column), Qt::ToolTipRole).toString().size(),
                 tooltipLength);
    }
    QCOMPARE(list.entry(0), entry(text, {text}));
}

void TestStoredForm::fiftyMegabyteTextStaysWhole()
{
    test::IsolatedSettings isolated;
    const QString huge = QString(50 * 1024 * 1024 - 3, u'x') + u"end"_s;
    HomeworkListModel list;
    list.append(entry(u"1. Big"_s, {QString(), huge}));
    test::require(SaveHomeworkList(list));
    HomeworkListModel restored;
    test::require(LoadHomeworkList(restored));
    QCOMPARE(restored.data(restored.index(0, 2), Qt::DisplayRole).toString(),
             QString(200, u'x') + u"\u2026"_s);
    QCOMPARE(restored.entry(0).Days[1].size(), huge.size());
    QVERIFY(restored.entry(0).Days[1] == huge);
    QVERIFY(GetSetting(u"Homework"_s, QString()) == toStoredForm(list.entries()));
}

void TestStoredForm::generalFields()
{
    test::IsolatedSettings isolated;
    QCOMPARE(restoredName(0), QString());
    QCOMPARE(nameSettingKey(0), u"Text1_0"_s);
    test::require(storeName(0, u"  Dana  "_s));
    QCOMPARE(GetSetting(u"Text1_0"_s, QString()), u"  Dana  "_s);
    QCOMPARE(restoredName(0), u"  Dana  "_s);

    const QDateTime initial = initialPickerDate();
    QCOMPARE(initial.toString(u"yyyy-MM-dd hh:mm:ss"_s), u"2013-06-08 11:51:22"_s);
    QCOMPARE(restoredDate(initial), initial); // nothing stored
    const QDateTime chosen(QDate(2026, 2, 29 - 1), QTime(23, 59, 58));
    test::require(storeDate(chosen));
    QCOMPARE(GetSetting(u"DateTimePicker1"_s, QString()), u"2026-02-28T23:59:58"_s);
    QCOMPARE(restoredDate(initial), chosen);
    // The stored text does not depend on the locale it was written in.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QCOMPARE(restoredDate(initial), chosen);
    QLocale::setDefault(QLocale::c());
    for (const QString& unreadable : {QString(), u"June 8"_s, u"2013-13-45"_s}) {
        test::require(SaveSetting(u"DateTimePicker1"_s, unreadable));
        QCOMPARE(restoredDate(initial), initial);
    }
}

// Dates typed or pasted into the date picker, in the locale's forms.
void TestStoredForm::typedDates_data()
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

void TestStoredForm::typedDates()
{
    QFETCH(QString, locale);
    QFETCH(QString, typed);
    QFETCH(int, nearYear);
    QFETCH(QDate, date);
    QCOMPARE(readTypedDate(typed, QLocale(locale), nearYear).value_or(QDate()), date);
}

QTEST_GUILESS_MAIN(TestStoredForm)
#include "test_stored_form.moc"
