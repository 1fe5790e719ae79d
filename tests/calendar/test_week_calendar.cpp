// SPDX-License-Identifier: MIT
// The week's calendar file read back by two readers written elsewhere, Python's icalendar and
// the calendar program khal: dates, titles and texts as typed, the UIDs, the file's lines.
#include "base/failure.h"
#include "calendar/week_calendar.h"
#include "homework/sample_data.h"
#include "tests/support/failure_status.h"
#include "tests/support/processes.h"
#include "tests/support/test_entries.h"
#include "tests/support/test_files.h"

#include <QJsonDocument>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>

using namespace quillory;
using namespace quillory::test;
using namespace Qt::StringLiterals;

namespace {

// A text typed on a Wednesday, the title and text read back, and where given, the text's line
// as the file must spell it once unfolded.
struct HostileText {
    const char* name;
    QString typed;
    QString title;
    QString readBack;
    QByteArray line = {};
};

const QString Long600 = u"Übung 7, Teil ½; 😀 שלום \\ "_s.repeated(24);

// The sample's date is a Sunday: its week began on Monday the 6th.
SchoolWeek week(QList<HomeworkEntry> classes, QDate date = QDate(2021, 9, 12))
{
    return {sampleName(), date, std::move(classes)};
}

} // namespace

Q_DECLARE_METATYPE(HostileText)

class TestWeekCalendar final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void sampleWeek();
    void hostileTexts_data();
    void hostileTexts();
    void generatedTextsFoldWhole();
    void uidsStayAndDiffer();
    void emptyList();
    void daysPastTheYear3000Fail();

private:
    QString written(const QByteArray& calendar);
    QStringList readWithIcalendar(const QByteArray& calendar, const QString& what = u"events"_s);
    QStringList readWithKhal(const QList<QByteArray>& imports);

    QTemporaryDir m_folder;
    int m_files = 0;
    bool m_khal = false;
};

void TestWeekCalendar::initTestCase()
{
    if (QProcess::execute(u"/usr/bin/python3"_s, {u"-c"_s, u"import icalendar"_s}) != 0)
        QSKIP("python3-icalendar is not installed (scripts/install-deps.sh test)");
    m_khal = !QStandardPaths::findExecutable(u"khal"_s).isEmpty();
    if (!m_khal)
        qWarning("khal is not installed: only Python's icalendar reads the calendars");
}

QString TestWeekCalendar::written(const QByteArray& calendar)
{
    const QString path = m_folder.filePath(u"%1.ics"_s.arg(++m_files));
    writeBytes(path, calendar);
    return path;
}

// The events ("date|title|description"), or their "uids", in the file's order.
QStringList TestWeekCalendar::readWithIcalendar(const QByteArray& calendar, const QString& what)
{
    const Run reader =
        run(u"/usr/bin/python3"_s, {QStringLiteral(QUILLORY_CALENDAR_READER), written(calendar)});
    if (!reader.error.isEmpty())
        qWarning("%s", qPrintable(reader.error));
    return QJsonDocument::fromJson(reader.output.toUtf8())[what].toVariant().toStringList();
}

// The files imported in turn into a new calendar of a private configuration, then the events
// of the week of 6 September 2021 as khal lists them, sorted.
QStringList TestWeekCalendar::readWithKhal(const QList<QByteArray>& imports)
{
    const QString folder = m_folder.filePath(u"khal%1"_s.arg(++m_files));
    QDir().mkpath(folder + u"/calendar"_s);
    const QString config = folder + u"/khal.conf"_s;
    writeBytes(config, u"[calendars]\n[[scratch]]\npath = %1/calendar\n[sqlite]\npath = %1/db\n"
                       "[locale]\nlocal_timezone = UTC\ndefault_timezone = UTC\n"
                       "dateformat = %Y-%m-%d\nlongdateformat = %Y-%m-%d\n"_s.arg(folder)
                           .toUtf8());
    for (const QByteArray& calendar : imports)
        QProcess::execute(u"khal"_s, {u"-c"_s, config, u"import"_s, u"--batch"_s, u"-a"_s,
                                      u"scratch"_s, written(calendar)});
    QStringList events =
        run(u"khal"_s, {u"-c"_s, config, u"list"_s, u"--day-format"_s, QString(), u"--format"_s,
                        u"{start-date}|{title}|{description}\x1e"_s, u"2021-09-06"_s, u"7d"_s})
            .output.split(u"\x1e\n"_s);
    events.removeLast(); // after the last event's end
    events.sort();
    return events;
}

void TestWeekCalendar::sampleWeek()
{
    const QStringList expected = uR"(2021-09-06|1. Physical Science: Lab Report|Lab Report
2021-09-06|2. English: Finish Of Mice and Men|Finish Of Mice and Men
2021-09-06|4. U.S. History: Chapter 4.1 to 4.4 Outline|Chapter 4.1 to 4.4 Outline
2021-09-06|8. Geometry: Chapter 7 problems 1-41 odd|Chapter 7 problems 1-41 odd
2021-09-07|3. Band: Jazz Band Practice|Jazz Band Practice
2021-09-08|1. Physical Science: Takehome Quiz 5|Takehome Quiz 5
2021-09-09|2. English: Study for exam on Friday|Study for exam on Friday
2021-09-09|3. Band: Jazz Band Practice|Jazz Band Practice
2021-09-09|5. Accounting: Ledger 5.1 due|Ledger 5.1 due
2021-09-10|1. Physical Science: Chapter 12 Reading|Chapter 12 Reading
2021-09-11|3. Band: Jazz Band Practice|Jazz Band Practice
2021-09-11|5. Accounting: Ledge 5.2 due|Ledge 5.2 due
2021-09-12|1. Physical Science: My Sunday Reading|My Sunday Reading)"_s.split(u'\n');
    const QByteArray calendar = test::valueOf(weekCalendar(week(sampleClasses())));
    QStringList read = readWithIcalendar(calendar);
    read.sort();
    QCOMPARE(read, expected);
    if (!m_khal)
        return;
    // An updated week replaces the events khal imported before instead of doubling them.
    QList<HomeworkEntry> changed = sampleClasses();
    changed[0].Days[0] = u"Second draft"_s;
    QStringList updated = expected;
    updated[0] = u"2021-09-06|1. Physical Science: Second draft|Second draft"_s;
    QCOMPARE(readWithKhal({calendar, test::valueOf(weekCalendar(week(changed)))}), updated);
}

void TestWeekCalendar::hostileTexts_data()
{
    QTest::addColumn<HostileText>("text");
    const QList<HostileText> table{
        {"commas", u"p. 4, 5; then: \"all\""_s, u"P: p. 4, 5; then: \"all\""_s,
         u"p. 4, 5; then: \"all\""_s, "DESCRIPTION:p. 4\\, 5\\; then: \"all\""},
        {"backslashes", u"C:\\Users\\dana\\ end\\"_s, u"P: C:\\Users\\dana\\ end\\"_s,
         u"C:\\Users\\dana\\ end\\"_s, "DESCRIPTION:C:\\\\Users\\\\dana\\\\ end\\\\"},
        {"line breaks", u"one\r\ntwo\rthree\n\nfour"_s, u"P: one"_s, u"one\ntwo\nthree\n\nfour"_s,
         "DESCRIPTION:one\\ntwo\\nthree\\n\\nfour"},
        {"blank first line", u"\n  \n  Essay  \n"_s, u"P: Essay"_s, u"\n  \n  Essay  \n"_s},
        {"control characters", u"tab\tkept, bell\a, nul\0 gone"_s,
         u"P: tab\tkept, bell, nul gone"_s, u"tab\tkept, bell, nul gone"_s,
         "DESCRIPTION:tab\tkept\\, bell\\, nul gone"},
        {"emoji", u"Read 📚, 👩🏽‍🔬 lab 🇫🇷"_s,
         u"P: Read 📚, 👩🏽‍🔬 lab 🇫🇷"_s,
         u"Read 📚, 👩🏽‍🔬 lab 🇫🇷"_s},
        {"right to left", u"اقرأ الفصل ٣\nשיעורי בית"_s, u"P: اقرأ الفصل ٣"_s,
         u"اقرأ الفصل ٣\nשיעורי בית"_s},
        {"600 characters", Long600, u"P: "_s + Long600.trimmed(), Long600},
        // Python's icalendar (and khal through it) unescapes twice: a backslash typed before a
        // backslash, a comma, a semicolon or an n does not come back from it.
        {"backslash escapes", u"C:\\new \\, \\; \\\\"_s, u"P: C:\\new \\, \\; \\\\"_s,
         u"C:\\new \\, \\; \\\\"_s, "DESCRIPTION:C:\\\\new \\\\\\, \\\\\\; \\\\\\\\"},
    };
    for (const HostileText& text : table)
        QTest::newRow(text.name) << text;
}

void TestWeekCalendar::hostileTexts()
{
    QFETCH(HostileText, text);
    const QByteArray calendar =
        test::valueOf(weekCalendar(week({entry(u"P"_s, {QString(), {}, text.typed})})));
    if (!text.line.isEmpty())
        QVERIFY(QByteArray(calendar)
                    .replace("\r\n ", "")
                    .contains(QByteArray('\n' + text.line + '\r')));
    if (qstrcmp(text.name, "backslash escapes") == 0)
        QEXPECT_FAIL("", "icalendar 4.0 unescapes backslashes twice", Abort);
    QCOMPARE(readWithIcalendar(calendar),
             QStringList{u"2021-09-08|"_s + text.title + u'|' + text.readBack});
    // khal shows a description without the blanks and line breaks around it.
    if (m_khal)
        QCOMPARE(readWithKhal({calendar}),
                 QStringList{u"2021-09-08|"_s + text.title + u'|' + text.readBack.trimmed()});
}

// Many texts of one- to four-byte characters and of those the format escapes: every line of the
// file has at most 75 octets and whole UTF-8, and each text reads back. libical folds after the
// last three pieces by choice; half the texts lack them, so it folds between the others.
void TestWeekCalendar::generatedTextsFoldWhole()
{
    const QStringList pieces{
        u"x"_s, u","_s, u"\\x"_s, u"\n"_s, u"é"_s, u"€"_s, u"ש"_s, u"😀"_s, u"👩🏽‍🔬"_s,
        u" "_s, u";"_s, u":"_s};
    QRandomGenerator random(29);
    QList<HomeworkEntry> classes(60);
    QStringList typed;
    for (qsizetype row = 0; row < classes.size(); ++row) {
        for (QString& day : classes[row].Days) {
            day = u"x"_s;
            for (int length = random.bounded(200); length > 0; --length)
                day += pieces[random.bounded(row % 2 ? pieces.size() : pieces.size() - 3)];
            typed.append(day);
        }
    }
    const QByteArray calendar = test::valueOf(weekCalendar(week(classes)));
    for (const QByteArray& line : calendar.chopped(1).split('\n')) {
        QStringDecoder utf8(QStringDecoder::Utf8);
        QString(utf8(line));
        QVERIFY2(line.size() <= 76 && line.indexOf('\r') == line.size() - 1 && !utf8.hasError(),
                 line.toHex().constData());
    }
    QStringList read;
    for (const QString& event : readWithIcalendar(calendar))
        read.append(event.section(u'|', 2)); // the description
    QCOMPARE(read, typed);
}

// The same class and day of the same week keep their UID when exported again, whatever the list
// order; every cell has its own, two classes of one period too, and the next week has others.
void TestWeekCalendar::uidsStayAndDiffer()
{
    QList<HomeworkEntry> classes = sampleClasses();
    classes.append(classes[2]); // "3. Band" twice: 16 events
    const auto uids = [&](const QList<HomeworkEntry>& list, QDate date) {
        const QStringList found =
            readWithIcalendar(test::valueOf(weekCalendar(week(list, date))), u"uids"_s);
        return QSet<QString>(found.begin(), found.end());
    };
    const QSet<QString> first = uids(classes, QDate(2021, 9, 12));
    QCOMPARE(first.size(), 16);
    QCOMPARE(uids({classes.rbegin(), classes.rend()}, QDate(2021, 9, 6)), first);
    QVERIFY(!first.intersects(uids(classes, QDate(2021, 9, 13))));
}

void TestWeekCalendar::emptyList()
{
    const QByteArray calendar = test::valueOf(weekCalendar(week({})));
    QCOMPARE(calendar, "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Velmora//Quillory//EN\r\n"
                       "END:VCALENDAR\r\n");
    QCOMPARE(readWithIcalendar(calendar), QStringList());
}

// libical writes no day after the year 3000; the date picker goes on to 9999.
void TestWeekCalendar::daysPastTheYear3000Fail()
{
    const auto weekEnding = [](const QString& thursday) { // 3000-12-31 is a Wednesday
        return week({entry(u"1"_s, {QString(), {}, u"Wed"_s, thursday})}, QDate(3000, 12, 31));
    };
    QVERIFY(test::valueOf(weekCalendar(weekEnding({}))).contains("DTSTART;VALUE=DATE:30001231"));
    QCOMPARE(test::failureOf(weekCalendar(weekEnding(u"Thu"_s))), Failure::InvalidArgument);
}

QTEST_APPLESS_MAIN(TestWeekCalendar)
#include "test_week_calendar.moc"
