// SPDX-License-Identifier: MIT
// The week's calendar file read back by two readers written elsewhere, Python's icalendar and
// the calendar program khal: dates, titles and texts as typed, the UIDs, the file's lines.
#include "base/failure.h"
#include "calendar/week_calendar.h"
#include "homework/sample_data.h"
#include "tests/support/test_entries.h"
#include "tests/support/test_files.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
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

// Debian's Python, which python3-icalendar installs into.
const QString Python = u"/usr/bin/python3"_s;

// One event as a reader gives it back.
struct ReadEvent {
    QString date;
    QString title;
    QString description;

    bool operator==(const ReadEvent&) const = default;
    bool operator<(const ReadEvent& other) const
    {
        return std::tie(date, title) < std::tie(other.date, other.title);
    }
};

// A hostile text typed into a class named after it, the title and the text read back, and
// where given, the description's line as the file must spell it once unfolded.
struct HostileText {
    const char* period;
    QString typed;
    QString title;
    QString readBack;
    QByteArray line = {};
};

const QList<HostileText>& hostileTable()
{
    const QString long600 = u"Übung 7, Teil ½; 😀 שלום \\ "_s.repeated(24);
    static const QList<HostileText> table{
        {"commas", u"Read p. 4, 5; then: sum up \"all\""_s,
         u"commas: Read p. 4, 5; then: sum up \"all\""_s, u"Read p. 4, 5; then: sum up \"all\""_s,
         "DESCRIPTION:Read p. 4\\, 5\\; then: sum up \"all\""},
        {"backslashes", u"C:\\Users\\dana\\ end\\"_s, u"backslashes: C:\\Users\\dana\\ end\\"_s,
         u"C:\\Users\\dana\\ end\\"_s, "DESCRIPTION:C:\\\\Users\\\\dana\\\\ end\\\\"},
        {"line breaks", u"one\r\ntwo\rthree\n\nfour"_s, u"line breaks: one"_s,
         u"one\ntwo\nthree\n\nfour"_s, "DESCRIPTION:one\\ntwo\\nthree\\n\\nfour"},
        {"blank first line", u"\n  \n  Essay  \n"_s, u"blank first line: Essay"_s,
         u"\n  \n  Essay  \n"_s},
        {"control characters", u"tab\tkept, bell\a, nul\0 gone"_s,
         u"control characters: tab\tkept, bell, nul gone"_s, u"tab\tkept, bell, nul gone"_s,
         "DESCRIPTION:tab\tkept\\, bell\\, nul gone"},
        {"emoji", u"Read 📚, then 👩🏽‍🔬 lab 🇫🇷"_s,
         u"emoji: Read 📚, then 👩🏽‍🔬 lab 🇫🇷"_s,
         u"Read 📚, then 👩🏽‍🔬 lab 🇫🇷"_s},
        {"right to left", u"اقرأ الفصل ٣\nשיעורי בית: עמוד 12"_s, u"right to left: اقرأ الفصل ٣"_s,
         u"اقرأ الفصل ٣\nשיעורי בית: עמוד 12"_s},
        {"600 characters", long600, u"600 characters: "_s + long600.trimmed(), long600},
        // Python's icalendar (and khal through it) unescapes twice: a backslash typed before a
        // backslash, a comma, a semicolon or an n does not come back from it.
        {"backslash escapes", u"C:\\new \\, \\; \\\\"_s,
         u"backslash escapes: C:\\new \\, \\; \\\\"_s, u"C:\\new \\, \\; \\\\"_s,
         "DESCRIPTION:C:\\\\new \\\\\\, \\\\\\; \\\\\\\\"},
    };
    return table;
}

SchoolWeek week(QList<HomeworkEntry> classes, QDate date = QDate(2021, 9, 8))
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
    void weekRunsMondayToSunday_data();
    void weekRunsMondayToSunday();
    void daysPastTheYear3000Fail();

private:
    QString written(const QByteArray& calendar);
    QJsonArray readWithIcalendar(const QByteArray& calendar);
    QList<ReadEvent> readWithKhal(const QList<QByteArray>& imports, QDate monday);

    QTemporaryDir m_folder;
    int m_files = 0;
    bool m_khal = false;
};

void TestWeekCalendar::initTestCase()
{
    if (QProcess::execute(Python, {u"-c"_s, u"import icalendar"_s}) != 0)
        QSKIP("python3-icalendar is not installed (scripts/install-deps.sh test)");
    m_khal = !QStandardPaths::findExecutable(u"khal"_s).isEmpty();
    if (!m_khal)
        qWarning("khal is not installed: the calendars are read by Python's icalendar only");
}

QString TestWeekCalendar::written(const QByteArray& calendar)
{
    const QString path = m_folder.filePath(u"%1.ics"_s.arg(++m_files));
    if (!writeBytes(path, calendar))
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

// The events as icalendar gives them back, in the file's order.
QJsonArray TestWeekCalendar::readWithIcalendar(const QByteArray& calendar)
{
    QProcess reader;
    reader.start(Python, {QStringLiteral(QUILLORY_CALENDAR_READER), written(calendar)});
    reader.waitForFinished(60000);
    const QJsonObject read = QJsonDocument::fromJson(reader.readAllStandardOutput()).object();
    if (read[u"version"_s] != u"2.0"_s || read[u"prodid"_s].toString().isEmpty())
        qWarning("icalendar: %s", reader.readAllStandardError().constData());
    return read[u"events"_s].toArray();
}

// The files imported in turn into a new scratch calendar of a private configuration, then the
// week as khal lists it, by date and title.
QList<ReadEvent> TestWeekCalendar::readWithKhal(const QList<QByteArray>& imports, QDate monday)
{
    const QString folder = m_folder.filePath(u"khal%1"_s.arg(++m_files));
    QDir().mkpath(folder + u"/calendar"_s);
    const QString config = folder + u"/khal.conf"_s;
    writeBytes(config, "[calendars]\n[[scratch]]\npath = " + folder.toUtf8() +
                           "/calendar\n[locale]\nlocal_timezone = UTC\ndefault_timezone = UTC\n"
                           "dateformat = %Y-%m-%d\nlongdateformat = %Y-%m-%d\n"
                           "timeformat = %H:%M\ndatetimeformat = %Y-%m-%d %H:%M\n"
                           "longdatetimeformat = %Y-%m-%d %H:%M\n[sqlite]\npath = " +
                           folder.toUtf8() + "/khal.db\n");
    for (const QByteArray& calendar : imports)
        QProcess::execute(u"khal"_s, {u"-c"_s, config, u"import"_s, u"--batch"_s, u"-a"_s,
                                      u"scratch"_s, written(calendar)});
    QProcess khal;
    khal.start(u"khal"_s, {u"-c"_s, config, u"list"_s, u"--day-format"_s, QString(), u"--format"_s,
                           u"{start-date}\x1f{title}\x1f{description}\x1e"_s,
                           monday.toString(Qt::ISODate), u"7d"_s});
    khal.waitForFinished(60000);
    QList<ReadEvent> events;
    for (QString record : QString::fromUtf8(khal.readAllStandardOutput()).split(u'\x1e')) {
        if (record.startsWith(u'\n'))
            record.remove(0, 1); // the line end after each event
        const QStringList fields = record.split(u'\x1f');
        if (fields.size() == 3)
            events.append({fields[0], fields[1], fields[2]});
    }
    std::sort(events.begin(), events.end());
    return events;
}

// The example week's events on their days, as icalendar and khal read them.
void TestWeekCalendar::sampleWeek()
{
    const QList<ReadEvent> expected{
        {u"2021-09-06"_s, u"1. Physical Science: Lab Report"_s, u"Lab Report"_s},
        {u"2021-09-06"_s, u"2. English: Finish Of Mice and Men"_s, u"Finish Of Mice and Men"_s},
        {u"2021-09-06"_s, u"4. U.S. History: Chapter 4.1 to 4.4 Outline"_s,
         u"Chapter 4.1 to 4.4 Outline"_s},
        {u"2021-09-06"_s, u"8. Geometry: Chapter 7 problems 1-41 odd"_s,
         u"Chapter 7 problems 1-41 odd"_s},
        {u"2021-09-07"_s, u"3. Band: Jazz Band Practice"_s, u"Jazz Band Practice"_s},
        {u"2021-09-08"_s, u"1. Physical Science: Takehome Quiz 5"_s, u"Takehome Quiz 5"_s},
        {u"2021-09-09"_s, u"2. English: Study for exam on Friday"_s, u"Study for exam on Friday"_s},
        {u"2021-09-09"_s, u"3. Band: Jazz Band Practice"_s, u"Jazz Band Practice"_s},
        {u"2021-09-09"_s, u"5. Accounting: Ledger 5.1 due"_s, u"Ledger 5.1 due"_s},
        {u"2021-09-10"_s, u"1. Physical Science: Chapter 12 Reading"_s, u"Chapter 12 Reading"_s},
        {u"2021-09-11"_s, u"3. Band: Jazz Band Practice"_s, u"Jazz Band Practice"_s},
        {u"2021-09-11"_s, u"5. Accounting: Ledge 5.2 due"_s, u"Ledge 5.2 due"_s},
        {u"2021-09-12"_s, u"1. Physical Science: My Sunday Reading"_s, u"My Sunday Reading"_s},
    };
    const QByteArray calendar = weekCalendar(week(sampleClasses()));
    QList<ReadEvent> read;
    for (const QJsonValue event : readWithIcalendar(calendar)) {
        QVERIFY(event[u"allDay"_s].toBool());
        read.append({event[u"date"_s].toString(), event[u"title"_s].toString(),
                     event[u"description"_s].toString()});
    }
    std::sort(read.begin(), read.end());
    QCOMPARE(read, expected);
    if (m_khal)
        QCOMPARE(readWithKhal({calendar}, QDate(2021, 9, 6)), expected);
}

void TestWeekCalendar::hostileTexts_data()
{
    QTest::addColumn<HostileText>("text");
    for (const HostileText& text : hostileTable())
        QTest::newRow(text.period) << text;
}

// Each text on the Wednesday of a class named after it.
void TestWeekCalendar::hostileTexts()
{
    QFETCH(HostileText, text);
    const QByteArray calendar =
        weekCalendar(week({entry(QString::fromUtf8(text.period), {QString(), {}, text.typed})}));
    if (!text.line.isEmpty())
        QVERIFY2(QByteArray(calendar)
                     .replace("\r\n ", "")
                     .contains(QByteArray("\r\n" + text.line + "\r\n")),
                 calendar.constData());
    const QJsonArray read = readWithIcalendar(calendar);
    QCOMPARE(read.size(), 1);
    if (qstrcmp(text.period, "backslash escapes") == 0)
        QEXPECT_FAIL("", "icalendar 4.0 unescapes backslashes twice", Abort);
    QCOMPARE(read[0][u"description"_s].toString(), text.readBack);
    QCOMPARE(read[0][u"title"_s].toString(), text.title);
    QCOMPARE(read[0][u"date"_s].toString(), u"2021-09-08"_s);
    // khal shows a description without the blanks and line breaks around it.
    if (m_khal)
        QCOMPARE(readWithKhal({calendar}, QDate(2021, 9, 6)),
                 (QList{ReadEvent{u"2021-09-08"_s, text.title, text.readBack.trimmed()}}));
}

// Many texts of one-, two-, three- and four-byte characters and the characters the format
// escapes: every line of the file is at most 75 octets and whole UTF-8, and each text reads back.
// Half of them lack the three characters libical likes to fold after, so it folds between others.
void TestWeekCalendar::generatedTextsFoldWhole()
{
    const QStringList pieces{
        u"x"_s, u","_s, u"\\x"_s, u"\n"_s, u"é"_s, u"€"_s, u"ש"_s, u"😀"_s, u"👩🏽‍🔬"_s,
        u" "_s, u";"_s, u":"_s};
    QRandomGenerator random(29);
    QList<HomeworkEntry> classes;
    QStringList typed;
    for (int row = 0; row < 60; ++row) {
        classes.append(entry(u"c%1"_s.arg(row)));
        for (QString& day : classes.last().Days) {
            day = u"x"_s;
            const qsizetype drawn = row % 2 ? pieces.size() : pieces.size() - 3;
            for (int length = random.bounded(200); length > 0; --length)
                day += pieces[random.bounded(drawn)];
            typed.append(day);
        }
    }
    const QByteArray calendar = weekCalendar(week(classes));
    QList<QByteArray> lines = calendar.split('\n');
    QCOMPARE(lines.takeLast(), QByteArray());
    for (const QByteArray& line : lines) {
        QVERIFY2(line.endsWith('\r') && line.size() <= 76 && !line.chopped(1).contains('\r'),
                 line.constData());
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        QString(utf8(line));
        QVERIFY2(!utf8.hasError(), line.toHex().constData());
    }
    QStringList read;
    for (const QJsonValue event : readWithIcalendar(calendar))
        read.append(event[u"description"_s].toString());
    QCOMPARE(read, typed);
}

// The same class and day of the same week keep their UID in the next export, whatever the list
// order; every cell has its own, two classes of one period too, and the next week has others.
// khal replaces what it imported before instead of doubling it.
void TestWeekCalendar::uidsStayAndDiffer()
{
    QList<HomeworkEntry> classes = sampleClasses();
    classes.append(classes[2]); // "3. Band" twice
    const auto uids = [&](const QList<HomeworkEntry>& list, QDate date, QDateTime stamp) {
        QStringList found;
        for (const QJsonValue event : readWithIcalendar(weekCalendar(week(list, date), stamp)))
            found.append(event[u"uid"_s].toString());
        found.sort();
        return found;
    };
    const QDateTime now = QDateTime::currentDateTimeUtc();
    const QStringList first = uids(classes, QDate(2021, 9, 8), now);
    QCOMPARE(first.size(), 16);
    QCOMPARE(QSet<QString>(first.begin(), first.end()).size(), 16);
    QList<HomeworkEntry> reordered(classes.rbegin(), classes.rend());
    QCOMPARE(uids(reordered, QDate(2021, 9, 12), now.addDays(3)), first);
    const QStringList next = uids(classes, QDate(2021, 9, 15), now);
    QVERIFY(!QSet<QString>(first.begin(), first.end()).intersects({next.begin(), next.end()}));

    if (!m_khal)
        return;
    QList<HomeworkEntry> changed = sampleClasses();
    changed[0].Days[0] = u"Lab Report, second draft"_s;
    const QList<ReadEvent> listed = readWithKhal(
        {weekCalendar(week(sampleClasses())), weekCalendar(week(changed))}, QDate(2021, 9, 6));
    QCOMPARE(listed.size(), 13);
    QCOMPARE(listed[0].description, u"Lab Report, second draft"_s);
}

void TestWeekCalendar::emptyList()
{
    const QByteArray calendar = weekCalendar(week({}));
    QCOMPARE(calendar, "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Velmora//Quillory//EN\r\n"
                       "END:VCALENDAR\r\n");
    QCOMPARE(readWithIcalendar(calendar).size(), 0);
}

void TestWeekCalendar::weekRunsMondayToSunday_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QDate>("monday");
    QTest::newRow("Monday") << QDate(2021, 9, 6) << QDate(2021, 9, 6);
    QTest::newRow("Sunday") << QDate(2021, 9, 12) << QDate(2021, 9, 6);
    QTest::newRow("across the year") << QDate(2021, 1, 1) << QDate(2020, 12, 28);
}

void TestWeekCalendar::weekRunsMondayToSunday()
{
    QFETCH(QDate, date);
    QFETCH(QDate, monday);
    QCOMPARE(mondayOf(date), monday);
}

// libical writes no day after the year 3000; the date picker goes on to 9999.
void TestWeekCalendar::daysPastTheYear3000Fail()
{
    const QDate last(3000, 12, 31); // a Wednesday
    QVERIFY(weekCalendar(week({entry(u"1"_s, {QString(), {}, u"Wed"_s})}, last))
                .contains("DTSTART;VALUE=DATE:30001231"));
    QVERIFY_THROWS_EXCEPTION(
        Failure, weekCalendar(week({entry(u"1"_s, {QString(), {}, {}, u"Thu"_s})}, last)));
}

QTEST_APPLESS_MAIN(TestWeekCalendar)
#include "test_week_calendar.moc"
